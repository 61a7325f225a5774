// Test runner of the Win32 layer. The executable is also its own child process for the
// System tests: with one of the child arguments it does that one job and exits.
#include <windows.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "platform/win32/win32_system.h"
#include "test_support.h"

namespace {

// Writes how this process was asked to show its window, to a temporary name first and then
// renamed, so that the parent never reads a half-written file.
int WriteStartupInfo(const std::string& path) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    GetStartupInfoA(&si);
    const std::string part = path + ".part";
    FILE* f = std::fopen(part.c_str(), "wb");
    if (!f) return win32_test::kExitChildFailed;
    std::fprintf(f, "%lu %u", static_cast<unsigned long>(si.dwFlags),
                 static_cast<unsigned>(si.wShowWindow));
    std::fclose(f);
    return MoveFileA(part.c_str(), path.c_str()) ? 0 : win32_test::kExitChildFailed;
}

// Writes AppPath and AppExeName, one per line, as the program sees them from where it runs.
int WriteAppPath(const std::string& path) {
    platform::win32::Win32System system;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return win32_test::kExitChildFailed;
    std::fprintf(f, "%s\n%s\n", system.AppPath().c_str(), system.AppExeName().c_str());
    std::fclose(f);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == win32_test::kChildStartupArg)
        return WriteStartupInfo(argv[2]);
    if (argc == 3 && std::string(argv[1]) == win32_test::kChildAppPathArg)
        return WriteAppPath(argv[2]);
    if (argc == 2 && std::string(argv[1]) == win32_test::kChildInstanceArg) {
        platform::win32::Win32System system;
        return system.AnotherInstanceRunning() ? win32_test::kExitOtherInstance
                                               : win32_test::kExitNoOtherInstance;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
