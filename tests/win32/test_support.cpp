#include "test_support.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "platform/win32/scoped.h"

namespace win32_test {

std::string ModulePath() {
    char path[MAX_PATH * 4];
    const DWORD len = GetModuleFileNameA(nullptr, path, sizeof(path));
    return std::string(path, len);
}

std::string ModuleFolder() {
    const std::string path = ModulePath();
    return path.substr(0, path.find_last_of('\\'));
}

std::string TempPath(const std::string& leaf) {
    char temp[MAX_PATH + 1];
    const DWORD len = GetTempPathA(sizeof(temp), temp);  // ends in a backslash
    return std::string(temp, len) + "Dravik Test " + std::to_string(GetCurrentProcessId()) + " " +
           leaf;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

int RunAndWait(const std::string& commandLine) {
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return -1;
    platform::win32::ScopedHandle process(pi.hProcess);
    platform::win32::ScopedHandle thread(pi.hThread);
    if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 1);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    return static_cast<int>(code);
}

bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 3000; ++i) {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(20);
    }
    return false;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string NoWindowSystemReason() {
    // Wine passes the Unix environment through, DISPLAY included.
    if (GetEnvironmentVariableA("DISPLAY", nullptr, 0) == 0)
        return "DISPLAY is not set: no X server for Wine's window system";
    return {};
}

}  // namespace win32_test
