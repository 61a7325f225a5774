// Win32System on the test executable itself, which also serves as the child process.
#include <windows.h>

#include <cstdio>
#include <memory>

#include <gtest/gtest.h>

#include "platform/win32/win32_system.h"
#include "test_support.h"

namespace {

using platform::win32::Win32System;
using win32_test::Quoted;

TEST(Win32SystemTest, AppPathAndExeNameSplitTheModuleFileName) {
    Win32System system;
    const std::string path = system.AppPath();
    const std::string name = system.AppExeName();
    ASSERT_FALSE(path.empty());
    EXPECT_NE(path.back(), '\\');
    EXPECT_EQ(name, TEST_EXE_BASE_NAME);
    EXPECT_EQ(path + "\\" + name + ".exe", win32_test::ModulePath());
    EXPECT_TRUE(system.FolderExists(path));
}

TEST(Win32SystemTest, SystemFolderHoldsRundll32) {
    Win32System system;
    const std::string folder = system.SystemFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(system.FolderExists(folder)) << folder;
    EXPECT_TRUE(system.FileExists(folder + "\\rundll32.exe")) << folder;
    char expected[MAX_PATH] = {};
    GetSystemDirectoryA(expected, MAX_PATH);
    EXPECT_EQ(lstrcmpiA(folder.c_str(), expected), 0) << folder << " / " << expected;
}

TEST(Win32SystemTest, AppVersionIsMajorMinorAndThirdFieldOfTheFileVersion) {
    Win32System system;
    const platform::Version v = system.AppVersion();
    EXPECT_EQ(v.major, TEST_VERSION_MAJOR);
    EXPECT_EQ(v.minor, TEST_VERSION_MINOR);
    EXPECT_EQ(v.revision, TEST_VERSION_THIRD);
}

TEST(Win32SystemTest, AppVersionIsZeroWithoutVersionResource) {
    const std::string probe = win32_test::ModuleFolder() + "\\" + NOVERSION_PROBE_NAME;
    ASSERT_NE(GetFileAttributesA(probe.c_str()), INVALID_FILE_ATTRIBUTES) << probe;
    EXPECT_EQ(win32_test::RunAndWait(Quoted(probe)), 0);
}

TEST(Win32SystemTest, FoldersAndFiles) {
    Win32System system;
    const std::string folder = win32_test::TempPath("folder");
    const std::string file = folder + "\\file.txt";
    const std::string deep = folder + "\\missing\\deeper";
    struct Cleanup {
        std::string folder, file;
        ~Cleanup() {
            DeleteFileA(file.c_str());
            RemoveDirectoryA(folder.c_str());
        }
    } cleanup{folder, file};

    EXPECT_FALSE(system.FolderExists(folder));
    EXPECT_FALSE(system.FileExists(folder));
    ASSERT_TRUE(system.CreateFolder(folder));
    EXPECT_TRUE(system.FolderExists(folder));
    EXPECT_FALSE(system.FileExists(folder)) << "a folder is not a file";
    EXPECT_FALSE(system.CreateFolder(folder)) << "already there";

    EXPECT_FALSE(system.CreateFolder(deep)) << "only one level is created";
    EXPECT_FALSE(system.FolderExists(deep));

    EXPECT_FALSE(system.FileExists(file));
    FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(system.FileExists(file));
    EXPECT_FALSE(system.FolderExists(file)) << "a file is not a folder";
}

TEST(Win32SystemTest, StartProcessStartsAProgramWithANormalWindow) {
    Win32System system;
    const std::string report = win32_test::TempPath("startup.txt");
    DeleteFileA(report.c_str());
    ASSERT_TRUE(system.StartProcess(Quoted(win32_test::ModulePath()) + " " +
                                    win32_test::kChildStartupArg + " " + Quoted(report)));
    ASSERT_TRUE(win32_test::WaitForFile(report)) << "the child never wrote " << report;
    unsigned long flags = 0;
    unsigned show = 0;
    ASSERT_EQ(std::sscanf(win32_test::ReadFile(report).c_str(), "%lu %u", &flags, &show), 2);
    DeleteFileA(report.c_str());
    EXPECT_TRUE(flags & STARTF_USESHOWWINDOW);
    EXPECT_EQ(show, static_cast<unsigned>(SW_SHOWNORMAL));
}

TEST(Win32SystemTest, StartProcessFailsForAMissingProgram) {
    Win32System system;
    EXPECT_FALSE(system.StartProcess(Quoted(win32_test::TempPath("no such program.exe"))));
}

// These assume no other Dravik runs in this Wine prefix.
int ChildInstanceAnswer() {
    return win32_test::RunAndWait(Quoted(win32_test::ModulePath()) + " " +
                                  win32_test::kChildInstanceArg);
}

TEST(Win32SystemTest, AloneNoOtherInstanceIsSeen) {
    EXPECT_EQ(ChildInstanceAnswer(), win32_test::kExitNoOtherInstance);
    Win32System system;
    EXPECT_FALSE(system.AnotherInstanceRunning());
}

TEST(Win32SystemTest, AnotherProcessSeesTheHolder) {
    Win32System holder;
    ASSERT_FALSE(holder.AnotherInstanceRunning());
    EXPECT_EQ(ChildInstanceAnswer(), win32_test::kExitOtherInstance);
    EXPECT_FALSE(holder.AnotherInstanceRunning()) << "the first answer stays";
}

TEST(Win32SystemTest, InstanceIsHeldForTheLifeOfTheObject) {
    auto first = std::make_unique<Win32System>();
    ASSERT_FALSE(first->AnotherInstanceRunning());
    auto second = std::make_unique<Win32System>();
    EXPECT_TRUE(second->AnotherInstanceRunning());

    first.reset();
    EXPECT_TRUE(second->AnotherInstanceRunning()) << "the first answer stays";
    EXPECT_EQ(ChildInstanceAnswer(), win32_test::kExitOtherInstance) << "second still holds";

    second.reset();
    EXPECT_EQ(ChildInstanceAnswer(), win32_test::kExitNoOtherInstance) << "released on destruction";
}

// A Dravik run as administrator holds the mutex with security that a standard process may not
// open: CreateMutexA then fails with ERROR_ACCESS_DENIED. That is a running Dravik too. Wine
// has no integrity levels; an empty DACL denies the open as the elevated one's label does.
TEST(Win32SystemTest, AMutexThisProcessMayNotOpenMeansAnotherInstance) {
    SECURITY_DESCRIPTOR sd;
    ASSERT_TRUE(InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION));
    ACL acl;
    ASSERT_TRUE(InitializeAcl(&acl, sizeof acl, ACL_REVISION));
    ASSERT_TRUE(SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE));
    SECURITY_ATTRIBUTES sa{sizeof sa, &sd, FALSE};
    const HANDLE elevated = CreateMutexA(&sa, FALSE, "Morv Dravik single instance");
    ASSERT_NE(elevated, nullptr);
    SetLastError(ERROR_SUCCESS);
    const HANDLE again = CreateMutexA(nullptr, FALSE, "Morv Dravik single instance");
    const DWORD error = GetLastError();
    if (again) CloseHandle(again);
    if (error != ERROR_ACCESS_DENIED) {
        CloseHandle(elevated);
        GTEST_SKIP() << "this system lets the open through (error " << error << ")";
    }
    Win32System system;
    EXPECT_TRUE(system.AnotherInstanceRunning());
    CloseHandle(elevated);
}

// A program folder whose name the ANSI code page cannot hold: GetModuleFileNameA puts "?" in
// its place, a path that names nothing. The program's path is then the folder's short name,
// which the ANSI file calls reach.
std::wstring Widen(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return wide;
}

TEST(Win32SystemTest, AFolderNameTheAnsiCodePageCannotHoldIsTakenInItsShortForm) {
    std::string probe;
    if (GetACP() == CP_UTF8 || platform::win32::ToAnsiExactly(L"\x041F\x0440\x043E\x8868", probe))
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " holds every name";
    EXPECT_TRUE(platform::win32::ToAnsiExactly(L"Program Files", probe));
    EXPECT_EQ(probe, "Program Files");

    const std::string base = win32_test::TempPath("ansi");
    ASSERT_TRUE(CreateDirectoryA(base.c_str(), nullptr)) << base;
    const std::wstring wideBase = Widen(base);
    const std::wstring folder = wideBase + L"\\\x041F\x0440\x043E\x0433\x0440\x0430\x043C\x0430 \x8868";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    wchar_t self[MAX_PATH * 2] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH * 2), 0u);
    const std::wstring copy = folder + L"\\" + Widen(TEST_EXE_BASE_NAME) + L".exe";
    ASSERT_TRUE(CopyFileW(self, copy.c_str(), FALSE));
    const std::string out = base + "\\out.txt";

    // Started by its long name, as Explorer starts it.
    std::wstring cmd = L"\"" + copy + L"\" " + Widen(win32_test::kChildAppPathArg) + L" \"" + Widen(out) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    platform::win32::ScopedHandle process(pi.hProcess), thread(pi.hThread);
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    ASSERT_EQ(code, 0u);

    char text[2048] = {};
    FILE* f = std::fopen(out.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    const std::size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    const std::string lines(text, n);
    const std::string path = lines.substr(0, lines.find('\n'));
    const std::string name = lines.substr(path.size() + 1, lines.find('\n', path.size() + 1) - path.size() - 1);
    EXPECT_EQ(path.find('?'), std::string::npos) << path;
    EXPECT_EQ(path.compare(0, base.size(), base), 0) << "names that fit stay long: " << path;
    EXPECT_EQ(name, TEST_EXE_BASE_NAME);
    platform::win32::Win32System system;
    EXPECT_TRUE(system.FolderExists(path)) << path;
    EXPECT_TRUE(system.FileExists(path + "\\" + name + ".exe"));
    // It is the same folder.
    const std::wstring widePath = Widen(path);
    wchar_t longPath[MAX_PATH * 2] = {};
    ASSERT_GT(GetLongPathNameW(widePath.c_str(), longPath, MAX_PATH * 2), 0u);
    EXPECT_EQ(lstrcmpiW(longPath, folder.c_str()), 0);

    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
    DeleteFileA(out.c_str());
    RemoveDirectoryA(base.c_str());
}

}  // namespace
