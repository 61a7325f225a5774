// The file calls of Win32System on Wine's file system: whole files written, flushed, read,
// moved over another and removed, and what another process's open handle does to them.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/scoped.h"
#include "platform/win32/win32_system.h"
#include "test_support.h"

namespace {

using platform::win32::ScopedHandle;
using platform::win32::Win32System;

class Win32FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = win32_test::TempPath("files");
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override {
        for (const char* leaf : {"\\a", "\\b", "\\layout"}) DeleteFileA((folder_ + leaf).c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    std::string Path(const char* leaf) const { return folder_ + "\\" + leaf; }

    // Holds the file open without sharing, as another program may.
    static HANDLE HoldExclusively(const std::string& path) {
        return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    Win32System system_;
    std::string folder_;
};

TEST_F(Win32FilesTest, AWrittenFileReadsBackByteForByte) {
    std::string bytes = " 1310730 \r\n-327690 \r\n";
    bytes += std::string("\0\xff\x1a", 3);
    for (int i = 0; i < 3000; ++i) bytes += static_cast<char>('a' + i % 26);
    ASSERT_TRUE(system_.WriteWholeFile(Path("a"), bytes));
    EXPECT_EQ(win32_test::ReadFile(Path("a")), bytes) << "no text-mode translation";
    EXPECT_EQ(system_.ReadWholeFile(Path("a"), 1 << 20), bytes);
    EXPECT_EQ(system_.ReadWholeFile(Path("a"), 10), bytes.substr(0, 10));
    EXPECT_EQ(system_.ReadWholeFile(Path("a"), 0), std::string());

    ASSERT_TRUE(system_.WriteWholeFile(Path("a"), "short"));
    EXPECT_EQ(system_.ReadWholeFile(Path("a"), 1 << 20), "short") << "the old bytes are truncated";
    ASSERT_TRUE(system_.WriteWholeFile(Path("a"), ""));
    EXPECT_EQ(system_.ReadWholeFile(Path("a"), 1 << 20), "");
    EXPECT_FALSE(system_.ReadWholeFile(Path("b"), 1 << 20).has_value());
}

TEST_F(Win32FilesTest, AWriteFailsWithoutItsFolderOrWhileAnotherHoldsTheFile) {
    EXPECT_FALSE(system_.WriteWholeFile(folder_ + "\\missing\\a", "x"));
    ASSERT_TRUE(system_.WriteWholeFile(Path("a"), "old"));
    {
        ScopedHandle held(HoldExclusively(Path("a")));
        ASSERT_TRUE(held);
        EXPECT_FALSE(system_.WriteWholeFile(Path("a"), "new"));
        EXPECT_FALSE(system_.ReadWholeFile(Path("a"), 100).has_value());
    }
    EXPECT_EQ(system_.ReadWholeFile(Path("a"), 100), "old");
}

TEST_F(Win32FilesTest, MoveFileOverReplacesTheTargetInOneStep) {
    ASSERT_TRUE(system_.WriteWholeFile(Path("layout"), "old layout"));
    ASSERT_TRUE(system_.WriteWholeFile(Path("b"), "new layout"));
    {
        // Held open by another program: nothing changes, and the new file waits beside it.
        ScopedHandle held(HoldExclusively(Path("layout")));
        ASSERT_TRUE(held);
        EXPECT_FALSE(system_.MoveFileOver(Path("b"), Path("layout")));
    }
    EXPECT_EQ(system_.ReadWholeFile(Path("layout"), 100), "old layout");
    EXPECT_EQ(system_.ReadWholeFile(Path("b"), 100), "new layout");

    EXPECT_TRUE(system_.MoveFileOver(Path("b"), Path("layout")));
    EXPECT_EQ(system_.ReadWholeFile(Path("layout"), 100), "new layout");
    EXPECT_FALSE(system_.FileExists(Path("b")));
    EXPECT_FALSE(system_.MoveFileOver(Path("b"), Path("layout"))) << "no source";
    EXPECT_EQ(system_.ReadWholeFile(Path("layout"), 100), "new layout");

    EXPECT_TRUE(system_.MoveFileOver(Path("layout"), Path("a"))) << "no target yet";
    EXPECT_EQ(system_.ReadWholeFile(Path("a"), 100), "new layout");
}

TEST_F(Win32FilesTest, RemoveFileRemovesOnlyWhatIsThere) {
    ASSERT_TRUE(system_.WriteWholeFile(Path("a"), "x"));
    EXPECT_TRUE(system_.RemoveFile(Path("a")));
    EXPECT_FALSE(system_.FileExists(Path("a")));
    EXPECT_FALSE(system_.RemoveFile(Path("a")));
}

}  // namespace
