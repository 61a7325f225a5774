#pragma once
// Helpers shared by the Win32-layer tests: child modes of the test executable, running a child
// to completion, temporary paths, and whether a window system is there.
#include <string>

namespace win32_test {

// The test executable doubles as the child process of the System tests (see main.cpp).
inline constexpr char kChildStartupArg[] = "--dravik-child-startup";    // <file>
inline constexpr char kChildInstanceArg[] = "--dravik-child-instance";
inline constexpr char kChildAppPathArg[] = "--dravik-child-app-path";  // <file>
inline constexpr int kExitOtherInstance = 10;
inline constexpr int kExitNoOtherInstance = 20;
inline constexpr int kExitChildFailed = 30;

std::string ModulePath();           // this executable, from GetModuleFileNameA
std::string ModuleFolder();         // its folder, no trailing backslash
std::string TempPath(const std::string& leaf);  // %TEMP%\Dravik Test <pid> <leaf>
std::string Quoted(const std::string& s);

// Runs `commandLine` and waits for it to end; returns its exit code, or -1 when it could not
// be started or did not end within a minute (a hang guard, not a measurement).
int RunAndWait(const std::string& commandLine);

// Polls for a file written by another process, for up to a minute.
bool WaitForFile(const std::string& path);
std::string ReadFile(const std::string& path);

// Non-empty reason when no X display is there for Wine's window system; empty otherwise.
std::string NoWindowSystemReason();

}  // namespace win32_test
