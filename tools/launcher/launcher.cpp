// launcher: stands in for a game store's or a player's starter in the end-to-end tests of
// "Dravik.exe <switch> /run": it starts the real program (itself again) and ends at once.
//
//   launcher.exe launch <folder> <own exit code> <child's exit code> [anything]
//     writes <folder>\launcher.txt (its whole command line), starts
//     "launcher.exe child <folder> <child's exit code>" and ends with <own exit code>
//   launcher.exe child <folder> <exit code>
//     writes <folder>\child.txt, waits until <folder>\release exists (at most 120 s), writes
//     <folder>\child-ended.txt and ends with <exit code>
// A window program (no console), like the players it stands for.
#include <windows.h>

#include <string>

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Write(const std::wstring& path, const std::wstring& text) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(f, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(f);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 4) return 100;
    const std::wstring verb = argv[1], folder = argv[2];
    if (verb == L"launch" && argc >= 5) {
        Write(folder + L"\\launcher.txt", GetCommandLineW());
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring line = L"\"" + std::wstring(self) + L"\" child \"" + folder + L"\" " + argv[4];
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 101;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return _wtoi(argv[3]);
    }
    if (verb == L"child") {
        Write(folder + L"\\child.txt", GetCommandLineW());
        for (int i = 0; i < 120 * 20 && !Exists(folder + L"\\release"); ++i) Sleep(50);
        Write(folder + L"\\child-ended.txt", L"ended");
        return _wtoi(argv[3]);
    }
    return 100;
}
