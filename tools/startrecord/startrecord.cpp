// A stand-in for another program in the end-to-end tests. Copied under that program's name
// (rundll32.exe beside Dravik.exe, or in the system folder of a test's own Wine prefix), it
// appends the command line it was started with, as GetCommandLineA gives it, to the file
// "<its own full path>.log" and ends. The log tells whether, how often and how that name was
// started.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD len = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (len == 0) return 1;
        if (len < path.size()) {
            path.resize(len);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string line = std::string(GetCommandLineA()) + "\r\n";
    // Appends are whole lines even when two copies run at once.
    HANDLE log = CreateFileA((path + ".log").c_str(), FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    const BOOL ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return ok && written == line.size() ? 0 : 3;
}
