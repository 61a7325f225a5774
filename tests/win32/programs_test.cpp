// platform::win32::Win32Programs against the real calls: a program in a job of its own, its
// exit code, and one that cannot be started. A launcher whose child outlives it is the
// end-to-end test's (tests/e2e/run_e2e_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/win32_programs.h"

namespace {

using platform::Watch;
using platform::win32::Win32Programs;

TEST(Win32Programs, AProgramInAJobOfItsOwnEndsWithItsOwnCode) {
    Win32Programs programs;
    const platform::JobFacts facts = programs.Facts();
    const platform::ProgramStart start = programs.Start("cmd.exe /c exit 5", Watch::Job);
    ASSERT_TRUE(start.started) << start.error;
    EXPECT_EQ(start.watch, facts.inJob && !facts.nestedJobs && !facts.breakawayAllowed ? Watch::ProgramOnly
                                                                                       : Watch::Job);
    EXPECT_EQ(programs.WaitForAll(), 5);
}

TEST(Win32Programs, TheProgramOnlyIsWaitedForWhenNoJobCanHoldIt) {
    Win32Programs programs;
    ASSERT_TRUE(programs.Start("cmd.exe /c exit 3", Watch::ProgramOnly).started);
    EXPECT_EQ(programs.WaitForAll(), 3);
}

TEST(Win32Programs, AProgramThatCannotStartSaysWhy) {
    Win32Programs programs;
    const platform::ProgramStart start = programs.Start("\"Z:\\no\\such\\program.exe\" /x", Watch::Job);
    EXPECT_FALSE(start.started);
    EXPECT_FALSE(start.error.empty());
}

TEST(Win32Programs, TextTravelsAsUtf8AndBackWhole) {
    const std::wstring text = L"C:\\Filme\\\u00c4rger \u65e5\u672c.mkv";
    EXPECT_EQ(platform::win32::WideOf(platform::win32::Utf8Of(text)), text);
    EXPECT_EQ(platform::win32::Utf8Of(L""), "");
}

}  // namespace
