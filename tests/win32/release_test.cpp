// What the release executable itself must be: a GUI program with the version resource and
// manifest it is shipped with, needing no DLL beyond Windows' own.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The build tree is a Linux path; Wine's drive Z: is the Unix root.
std::string WindowsPath(const char* built) {
    std::string path = "Z:" + std::string(built);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
std::string ExePath() { return WindowsPath(DRAVIK_EXE_PATH); }

std::vector<unsigned char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A view of the executable file's PE headers, for reading what the loader will read.
class PeFile {
public:
    explicit PeFile(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

    const IMAGE_NT_HEADERS* Nt() const {
        if (bytes_.size() < sizeof(IMAGE_DOS_HEADER)) return nullptr;
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes_.data());
        if (dos->e_magic != IMAGE_DOS_SIGNATURE ||
            bytes_.size() < static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS))
            return nullptr;
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(bytes_.data() + dos->e_lfanew);
        return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
    }

    // File offset of a relative virtual address, or 0 when no section holds it.
    size_t Offset(DWORD rva) const {
        const IMAGE_NT_HEADERS* nt = Nt();
        const IMAGE_SECTION_HEADER* s = IMAGE_FIRST_SECTION(nt);
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++s)
            if (rva >= s->VirtualAddress && rva < s->VirtualAddress + s->Misc.VirtualSize)
                return rva - s->VirtualAddress + s->PointerToRawData;
        return 0;
    }

    // Each imported DLL (in lower case) with the functions it is asked for by name.
    std::map<std::string, std::set<std::string>> Imports() const {
        std::map<std::string, std::set<std::string>> imports;
        const auto& dir = Nt()->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (size_t at = Offset(dir.VirtualAddress);
             at && at + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= bytes_.size();
             at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(bytes_.data() + at);
            if (d->Name == 0) break;
            const size_t name = Offset(d->Name);
            if (!name) break;
            std::string dll(reinterpret_cast<const char*>(bytes_.data() + name));
            std::transform(dll.begin(), dll.end(), dll.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            std::set<std::string>& functions = imports[dll];
            // The thunks are of the test's own width, which is the release's.
            for (size_t thunk = Offset(d->OriginalFirstThunk);
                 thunk && thunk + sizeof(IMAGE_THUNK_DATA) <= bytes_.size();
                 thunk += sizeof(IMAGE_THUNK_DATA)) {
                const auto* t = reinterpret_cast<const IMAGE_THUNK_DATA*>(bytes_.data() + thunk);
                if (t->u1.AddressOfData == 0) break;
                if (IMAGE_SNAP_BY_ORDINAL(t->u1.Ordinal)) continue;
                const size_t byName = Offset(static_cast<DWORD>(t->u1.AddressOfData));
                if (byName)
                    functions.insert(reinterpret_cast<const char*>(
                        reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(bytes_.data() + byName)->Name));
            }
        }
        return imports;
    }

private:
    std::vector<unsigned char> bytes_;
};

TEST(Win32ReleaseTest, IsAGuiProgramForItsTarget) {
    PeFile pe(ReadFile(ExePath()));
    const IMAGE_NT_HEADERS* nt = pe.Nt();
    ASSERT_NE(nt, nullptr) << ExePath() << " is not a PE file";
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
#ifdef _WIN64
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
#else
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
#endif
}

// Wine maps a section from the file only when it starts on a page there; any other it reads
// into private memory of every process that runs the program.
TEST(Win32ReleaseTest, EverySectionStartsOnAPageOfTheFile) {
    PeFile pe(ReadFile(ExePath()));
    const IMAGE_NT_HEADERS* nt = pe.Nt();
    ASSERT_NE(nt, nullptr);
    EXPECT_EQ(nt->OptionalHeader.FileAlignment, 4096u);
    const IMAGE_SECTION_HEADER* s = IMAGE_FIRST_SECTION(nt);
    int withData = 0;
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++s) {
        if (s->SizeOfRawData == 0) continue;
        ++withData;
        EXPECT_EQ(s->PointerToRawData % 4096, 0u)
            << std::string(reinterpret_cast<const char*>(s->Name), strnlen(reinterpret_cast<const char*>(s->Name), 8));
    }
    EXPECT_GE(withData, 3) << "code, data and resources";
}

// Windows looks for an imported DLL in the program's folder before its own, unless the DLL is
// one of its KnownDLLs (or, like common controls 6, comes through the manifest from the side-
// by-side store): a version.dll or oleacc.dll beside Dravik.exe in Downloads would run at
// every start, with administrator rights when Dravik runs elevated. So the program imports
// only these; everything else is loaded from the system folder by its full path.
TEST(Win32ReleaseTest, ImportsOnlyKnownDllsAndCommonControls) {
    PeFile pe(ReadFile(ExePath()));
    ASSERT_NE(pe.Nt(), nullptr);
    const std::set<std::string> allowed = {
        "kernel32.dll", "user32.dll",   "gdi32.dll",    "advapi32.dll", "msvcrt.dll",
        "ole32.dll",    "oleaut32.dll", "shell32.dll",  "comdlg32.dll", "shlwapi.dll",
        "comctl32.dll"};
    const auto imports = pe.Imports();
    ASSERT_TRUE(imports.count("kernel32.dll")) << "the import table was not read";
    for (const auto& [dll, functions] : imports)
        EXPECT_TRUE(allowed.count(dll)) << dll << " would be looked for beside Dravik.exe first";
}

// What only some runs need is loaded when first needed, never as an import that every start
// pays for: COM (the shell's open, a screen reader's question) and the accessibility
// libraries.
TEST(Win32ReleaseTest, StartsWithoutLoadingCOMOrTheAccessibilityLibraries) {
    PeFile pe(ReadFile(ExePath()));
    ASSERT_NE(pe.Nt(), nullptr);
    const auto imports = pe.Imports();
    ASSERT_TRUE(imports.count("user32.dll")) << "the import table was not read";
    for (const char* dll : {"ole32.dll", "oleaut32.dll", "oleacc.dll", "shell32.dll"})
        EXPECT_FALSE(imports.count(dll)) << dll << " is loaded at every start";
}

// Dravik.com, the console companion, is a console program that needs kernel32 alone (no C
// runtime), beside Dravik.exe.
TEST(Win32ReleaseTest, TheConsoleCompanionIsAConsoleProgramOnKernel32Alone) {
    PeFile pe(ReadFile(WindowsPath(DRAVIK_COM_PATH)));
    const IMAGE_NT_HEADERS* nt = pe.Nt();
    ASSERT_NE(nt, nullptr) << DRAVIK_COM_PATH << " is not a PE file";
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_CUI);
    const auto imports = pe.Imports();
    EXPECT_EQ(imports.size(), 1u);
    EXPECT_TRUE(imports.count("kernel32.dll"));
    EXPECT_EQ(std::string(DRAVIK_COM_PATH).substr(0, std::string(DRAVIK_COM_PATH).rfind('/')),
              std::string(DRAVIK_EXE_PATH).substr(0, std::string(DRAVIK_EXE_PATH).rfind('/')));
}

TEST(Win32ReleaseTest, VersionIs311WithoutFileDescription) {
    const std::string path = ExePath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u) << "no version resource in " << path;
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 3);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 1);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), 1);

    char* text = nullptr;
    EXPECT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\ProductName",
                               reinterpret_cast<void**>(&text), &len));
    // The first tooltip of the tray icon is the file description, and it must be empty.
    EXPECT_FALSE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\FileDescription",
                                reinterpret_cast<void**>(&text), &len));
}

// No requested execution level: that would switch off the virtualisation that keeps a
// standard user's settings (HKLM\SOFTWARE) and icon layouts on Vista and later.
TEST(Win32ReleaseTest, ManifestAsksForCommonControls6AndDpiAwarenessButNoExecutionLevel) {
    HMODULE exe = LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HRSRC res = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(res, nullptr) << "no application manifest";
    const char* data = static_cast<const char*>(LockResource(LoadResource(exe, res)));
    const std::string manifest(data, SizeofResource(exe, res));
    FreeLibrary(exe);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    // Windows 10 1607 ignores dpiAware where dpiAwareness is present and does not know
    // PerMonitorV2: without PerMonitor after it in the list it would run the program unaware.
    EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                            "WindowsSettings\">PerMonitorV2, PerMonitor</dpiAwareness>"),
              std::string::npos);
    EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
    EXPECT_EQ(manifest.find("requestedPrivileges"), std::string::npos);
    EXPECT_EQ(manifest.find("trustInfo"), std::string::npos);
}

// The icon holds a picture for each scale; the largest is stored as a PNG, which the loader
// must decode to the same drawing: opaque glass in the middle, a clear corner.
TEST(Win32ReleaseTest, ProgramIconLoadsAtEachSizeItHolds) {
    HMODULE exe = LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    for (int size : {16, 20, 24, 32, 40, 48, 64}) {
        SCOPED_TRACE(size);
        HICON icon = static_cast<HICON>(
            LoadImageA(exe, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = size;
        bmi.bmiHeader.biHeight = -size;  // top-down
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        std::vector<DWORD> pixels(static_cast<size_t>(size) * size);
        HDC dc = GetDC(nullptr);
        const int rows = info.hbmColor ? GetDIBits(dc, info.hbmColor, 0, size, pixels.data(), &bmi,
                                                   DIB_RGB_COLORS)
                                       : 0;
        ReleaseDC(nullptr, dc);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
        ASSERT_EQ(rows, size) << "no colour image of its own size";
        const auto at = [&](double x, double y) {
            return pixels[static_cast<size_t>(y * size) * size + static_cast<size_t>(x * size)];
        };
        if (size > 16) {  // the 16 x 16 picture has 16 colours and no alpha channel
            EXPECT_EQ(at(0.5, 0.4) >> 24, 0xFFu) << "the screen's middle is opaque";
            EXPECT_EQ(at(0.0, 0.95) >> 24, 0u) << "the lower left corner is clear";
        }
        EXPECT_GT(at(0.5, 0.4) & 0xFFu, 0x80u) << "the glass is light blue";
    }
    FreeLibrary(exe);
}

// The soak build counts the handles its owner types hold and answers queries for the counts;
// the release does neither.
TEST(Win32ReleaseTest, CarriesNoneOfTheSoakBuildsHandleCounting) {
    const std::vector<unsigned char> bytes = ReadFile(ExePath());
    ASSERT_FALSE(bytes.empty());
    const std::string marker = "DravikLiveHandles";  // the soak build's query window class
    EXPECT_EQ(std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end()), bytes.end());
    // Beside it, the soak build does carry it: the search finds what is there.
    std::string soak = ExePath();
    soak.insert(soak.find_last_of('\\'), "\\soak");
    const std::vector<unsigned char> counting = ReadFile(soak);
    ASSERT_FALSE(counting.empty()) << soak;
    EXPECT_NE(std::search(counting.begin(), counting.end(), marker.begin(), marker.end()), counting.end());
}

}  // namespace
