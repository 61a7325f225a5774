// recorder: a stand-in for a program another program starts (a media player, the browser,
// rundll32.exe), for the end-to-end tests. It writes one record about how it was started to
// the file named after itself plus ".log" ("vlc.exe.log" beside "vlc.exe"), appending, and
// ends:
//
//   start\texe=<its path>\tcmdline=<the whole command line>\targ=<first argument>
//        \tshow=<STARTUPINFO wShowWindow, or -1 without STARTF_USESHOWWINDOW>\tcwd=<folder>
//
// Values are escaped as winprobe escapes them (\\, \t, \r, \n, \xNN).
#include <windows.h>

#include <string>

#include "tools/record_escape.h"

namespace {

std::string Escape(const std::string& text) { return tools::EscapeValue(text); }

// The first argument of a command line, by the usual quoting rules (no escaped quotes).
std::string FirstArgument(const char* line) {
    const char* p = line;
    // Skip the program name.
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    std::string arg;
    if (*p == '"') {
        for (++p; *p && *p != '"'; ++p) arg += *p;
    } else {
        for (; *p && *p != ' ' && *p != '\t'; ++p) arg += *p;
    }
    return arg;
}

std::string Number(long v) {
    if (v < 0) return "-" + Number(-v);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + v % 10));
        v /= 10;
    } while (v);
    return digits;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    const char* line = GetCommandLineA();
    const long show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;

    const std::string record = "start\texe=" + Escape(exe) + "\tcmdline=" + Escape(line) +
                               "\targ=" + Escape(FirstArgument(line)) + "\tshow=" + Number(show) +
                               "\tcwd=" + Escape(cwd) + "\n";
    const std::string log = std::string(exe) + ".log";
    // Shared for writing: two copies started at once must both get their record in (a test
    // that counts starts would otherwise miss the second), and appends are whole records.
    HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
