#include "platform/win32/win32_system.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/version_info.h"

namespace platform::win32 {

namespace {

constexpr char kInstanceMutexName[] = "Morv Dravik single instance";

// The path as GetModuleFileNameA gives it. It truncates silently and returns the buffer size
// when the path does not fit, so grow until it does.
std::string ModulePathAnsi() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD len = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (len == 0) return {};
        if (len < path.size()) {
            path.resize(len);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring ShortPath(const std::wstring& longPath) {
    const DWORD size = GetShortPathNameW(longPath.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring shortPath(size, L'\0');
    const DWORD len = GetShortPathNameW(longPath.c_str(), shortPath.data(), size);
    if (len == 0 || len >= size) return {};
    shortPath.resize(len);
    return shortPath;
}

}  // namespace

// GetModuleFileNameW truncates silently and returns the buffer size when the path does not
// fit, so grow until it does.
std::wstring ModulePathWide() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD len = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (len == 0) return {};
        if (len < path.size()) {
            path.resize(len);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

bool ToAnsiExactly(std::wstring_view text, std::string& out) {
    out.clear();
    if (text.empty()) return true;
    const int len = static_cast<int>(text.size());
    // A system whose ANSI code page is UTF-8 holds every name (and takes no flags for it).
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL lost = FALSE;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL* lostOut = utf8 ? nullptr : &lost;
    const int n = WideCharToMultiByte(CP_ACP, flags, text.data(), len, nullptr, 0, nullptr, lostOut);
    if (n <= 0) return false;
    out.resize(static_cast<std::size_t>(n));
    WideCharToMultiByte(CP_ACP, flags, text.data(), len, out.data(), n, nullptr, lostOut);
    return !lost;
}

std::string AnsiModulePath() {
    const std::wstring wide = ModulePathWide();
    std::string path;
    if (wide.empty()) return ModulePathAnsi();
    if (ToAnsiExactly(wide, path)) return path;
    // A name the ANSI code page cannot hold comes back from GetModuleFileNameA with "?" in its
    // place, a path that names nothing. Each such name is taken in its short (8.3) form, which
    // names the same folder or file in plain characters; the others stay as they are.
    std::string built;
    std::size_t start = 0;
    while (start <= wide.size()) {
        std::size_t end = wide.find(L'\\', start);
        if (end == std::wstring::npos) end = wide.size();
        const std::wstring_view name(wide.data() + start, end - start);
        std::string part;
        if (!ToAnsiExactly(name, part)) {
            const std::wstring shortPath = ShortPath(wide.substr(0, end));
            const auto slash = shortPath.find_last_of(L'\\');
            const std::wstring_view shortName =
                slash == std::wstring::npos ? std::wstring_view(shortPath)
                                            : std::wstring_view(shortPath).substr(slash + 1);
            // No short name (the volume keeps none): the path as the ANSI call gives it is as
            // near as the code page comes.
            if (shortPath.empty() || !ToAnsiExactly(shortName, part)) return ModulePathAnsi();
        }
        built += part;
        if (end == wide.size()) break;
        built += '\\';
        start = end + 1;
    }
    return built;
}

std::span<const std::uint8_t> OwnVersionResource() {
    // A module's resources stay mapped as long as the module: the program's for its life.
    const HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(VS_VERSION_INFO),
                                  MAKEINTRESOURCEA(16));  // RT_VERSION
    if (!found) return {};
    const HGLOBAL loaded = LoadResource(self, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const std::uint8_t*>(data), SizeofResource(self, found)};
}

std::string Win32System::AppPath() {
    const std::string path = AnsiModulePath();
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Win32System::SystemFolder() {
    std::string folder(MAX_PATH, '\0');
    // The length without the NUL when it fits, the size needed with the NUL when it does not.
    UINT len = GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
    if (len >= folder.size()) {
        folder.resize(len);
        len = GetSystemDirectoryA(folder.data(), static_cast<UINT>(folder.size()));
        if (len >= folder.size()) return {};
    }
    folder.resize(len);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();  // a root ("C:\")
    return folder;
}

std::string Win32System::AppExeName() {
    const std::string path = AnsiModulePath();
    const auto slash = path.find_last_of('\\');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos) name.resize(dot);
    return name;
}

Version Win32System::AppVersion() {
    const auto fields = FixedFileVersion(OwnVersionResource());
    if (!fields) return {};
    return {(*fields)[0], (*fields)[1], (*fields)[2]};
}

bool Win32System::FolderExists(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32System::CreateFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32System::FileExists(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32System::ReadWholeFile(const std::string& path,
                                                    std::size_t maxBytes) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    while (bytes.size() < maxBytes) {
        const DWORD want =
            static_cast<DWORD>(std::min<std::size_t>(sizeof chunk, maxBytes - bytes.size()));
        DWORD got = 0;
        if (!ReadFile(file.Get(), chunk, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        bytes.append(chunk, got);
    }
    return bytes;
}

bool Win32System::WriteWholeFile(const std::string& path, std::string_view bytes) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    while (!bytes.empty()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD wrote = 0;
        if (!WriteFile(file.Get(), bytes.data(), want, &wrote, nullptr) || wrote == 0) return false;
        bytes.remove_prefix(wrote);
    }
    // Without the flush a power loss soon after the rename that follows could leave the new
    // name on an empty file.
    return FlushFileBuffers(file.Get()) != FALSE;
}

bool Win32System::MoveFileOver(const std::string& source, const std::string& target) {
    return MoveFileExA(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32System::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool Win32System::StartProcess(const std::string& commandLine) {
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    // Not waited for; the handles only keep the process object alive.
    ScopedHandle process(pi.hProcess);
    ScopedHandle thread(pi.hThread);
    return true;
}

bool Win32System::AnotherInstanceRunning() {
    if (!instanceChecked_) {
        // CreateMutexA opens an existing mutex of that name and then reports
        // ERROR_ALREADY_EXISTS, with a valid handle; read the error before anything else runs.
        // ERROR_ACCESS_DENIED (and no handle): the mutex exists, made by a Dravik with more
        // rights (run as administrator, at a higher integrity level), whose default security
        // lets a standard process see it but not open it. That one runs as surely.
        SetLastError(ERROR_SUCCESS);
        const HANDLE mutex = CreateMutexA(nullptr, FALSE, kInstanceMutexName);
        const DWORD error = GetLastError();
        anotherInstance_ = error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
        instanceMutex_.Reset(mutex);
        instanceChecked_ = true;
    }
    return anotherInstance_;
}

}  // namespace platform::win32
