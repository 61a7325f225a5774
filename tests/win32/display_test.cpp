// Win32Display against the display modes of Wine's X driver. Needs an X server with several
// modes (the dummy driver); a mode switch made here is always switched back.
#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/win32_display.h"
#include "test_support.h"

namespace {

using platform::DevModeFields;
using platform::Display;
using platform::win32::Win32Display;

bool SameMode(const DevModeFields& a, const DevModeFields& b) {
    return a.pelsWidth == b.pelsWidth && a.pelsHeight == b.pelsHeight &&
           a.bitsPerPel == b.bitsPerPel && a.displayFrequency == b.displayFrequency;
}

// The resolution stored as the user's default, read without going through Win32Display.
bool StoredDefault(DWORD& width, DWORD& height) {
    DEVMODEA dm{};
    dm.dmSize = sizeof(dm);
    if (!EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &dm)) return false;
    width = dm.dmPelsWidth;
    height = dm.dmPelsHeight;
    return true;
}

class Win32DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string reason = win32_test::NoWindowSystemReason();
        if (!reason.empty()) GTEST_SKIP() << reason;
        DevModeFields first;
        if (!display_.EnumSettings(0, first))
            GTEST_SKIP() << "EnumDisplaySettingsA lists no mode 0 on this display";
        DevModeFields record;
        for (std::int32_t i = 0; i < 100000 && display_.EnumSettings(i, record); ++i)
            modes_.push_back(record);
    }

    int IndexOf(const DevModeFields& mode) const {
        for (size_t i = 0; i < modes_.size(); ++i)
            if (SameMode(modes_[i], mode)) return static_cast<int>(i);
        return -1;
    }

    Win32Display display_;
    std::vector<DevModeFields> modes_;
};

// Switches back to a listed mode when the test ends, however it ends. Straight through user32,
// so that a broken Win32Display cannot leave the X server in another mode.
class RestoreMode {
public:
    explicit RestoreMode(int modeNum) : modeNum_(modeNum) {}
    RestoreMode(const RestoreMode&) = delete;
    RestoreMode& operator=(const RestoreMode&) = delete;
    ~RestoreMode() {
        DEVMODEA dm{};
        dm.dmSize = sizeof(dm);
        if (modeNum_ >= 0 && EnumDisplaySettingsA(nullptr, static_cast<DWORD>(modeNum_), &dm))
            ChangeDisplaySettingsA(&dm, CDS_UPDATEREGISTRY);
    }

private:
    int modeNum_;
};

TEST_F(Win32DisplayTest, ModesFromZeroMatchTheSystemAndEndWithZero) {
    ASSERT_FALSE(modes_.empty());
    ASSERT_LT(modes_.size(), 100000u) << "the enumeration never ended";
    for (size_t i = 0; i < modes_.size(); ++i) {
        SCOPED_TRACE(i);
        DEVMODEA dm{};
        dm.dmSize = sizeof(dm);
        ASSERT_TRUE(EnumDisplaySettingsA(nullptr, static_cast<DWORD>(i), &dm));
        EXPECT_EQ(modes_[i].pelsWidth, dm.dmPelsWidth);
        EXPECT_EQ(modes_[i].pelsHeight, dm.dmPelsHeight);
        EXPECT_EQ(modes_[i].bitsPerPel, dm.dmBitsPerPel);
        EXPECT_EQ(modes_[i].displayFrequency, dm.dmDisplayFrequency);
        EXPECT_GT(modes_[i].pelsWidth, 0u);
        EXPECT_GT(modes_[i].pelsHeight, 0u);
        EXPECT_GT(modes_[i].bitsPerPel, 0u);
    }
    DevModeFields record;
    EXPECT_EQ(display_.EnumSettings(static_cast<std::int32_t>(modes_.size()), record), 0);
}

TEST_F(Win32DisplayTest, ResultIsTheRawBool) {
    DEVMODEA dm{};
    dm.dmSize = sizeof(dm);
    const BOOL expected = EnumDisplaySettingsA(nullptr, 0, &dm);
    DevModeFields record;
    EXPECT_EQ(display_.EnumSettings(0, record), expected);
}

TEST_F(Win32DisplayTest, FailingEnumLeavesTheRecordAsItWas) {
    const auto past = static_cast<std::int32_t>(modes_.size());
    DevModeFields record;
    record.pelsWidth = 11;
    record.pelsHeight = 22;
    record.bitsPerPel = 33;
    record.displayFrequency = 44;
    ASSERT_EQ(display_.EnumSettings(past, record), 0);
    EXPECT_EQ(record.pelsWidth, 11u);
    EXPECT_EQ(record.pelsHeight, 22u);
    EXPECT_EQ(record.bitsPerPel, 33u);
    EXPECT_EQ(record.displayFrequency, 44u);

    // A caller reusing one record across the enumeration keeps the last mode.
    ASSERT_NE(display_.EnumSettings(past - 1, record), 0);
    ASSERT_EQ(display_.EnumSettings(past, record), 0);
    EXPECT_TRUE(SameMode(record, modes_.back()));
}

TEST_F(Win32DisplayTest, CurrentModeIsListedAndMatchesScreenSize) {
    DevModeFields current;
    ASSERT_NE(display_.EnumSettings(Display::kCurrentSettings, current), 0);
    EXPECT_GE(IndexOf(current), 0);
    const platform::ScreenSize size = display_.GetScreenSize();
    EXPECT_EQ(static_cast<std::uint32_t>(size.width), current.pelsWidth);
    EXPECT_EQ(static_cast<std::uint32_t>(size.height), current.pelsHeight);
}

TEST_F(Win32DisplayTest, ChangeSettingsSwitchesAndSwitchesBack) {
    DevModeFields original;
    ASSERT_NE(display_.EnumSettings(Display::kCurrentSettings, original), 0);
    const int originalIndex = IndexOf(original);
    ASSERT_GE(originalIndex, 0);

    // Another resolution at the same depth: Wine reads other depths back only in the process
    // that switched, and X itself stays at its depth.
    int target = -1;
    for (size_t i = 0; i < modes_.size() && target < 0; ++i)
        if (modes_[i].bitsPerPel == original.bitsPerPel &&
            (modes_[i].pelsWidth != original.pelsWidth ||
             modes_[i].pelsHeight != original.pelsHeight))
            target = static_cast<int>(i);
    if (target < 0) GTEST_SKIP() << "the display offers a single resolution only";

    RestoreMode restore(originalIndex);
    display_.ChangeSettings(target);

    const platform::ScreenSize switched = display_.GetScreenSize();
    EXPECT_EQ(static_cast<std::uint32_t>(switched.width), modes_[target].pelsWidth);
    EXPECT_EQ(static_cast<std::uint32_t>(switched.height), modes_[target].pelsHeight);
    DevModeFields current;
    ASSERT_NE(display_.EnumSettings(Display::kCurrentSettings, current), 0);
    EXPECT_EQ(current.pelsWidth, modes_[target].pelsWidth);
    EXPECT_EQ(current.pelsHeight, modes_[target].pelsHeight);
    DWORD storedWidth = 0;
    DWORD storedHeight = 0;
    ASSERT_TRUE(StoredDefault(storedWidth, storedHeight));
    EXPECT_EQ(storedWidth, modes_[target].pelsWidth) << "CDS_UPDATEREGISTRY not used";
    EXPECT_EQ(storedHeight, modes_[target].pelsHeight);

    display_.ChangeSettings(originalIndex);
    const platform::ScreenSize restored = display_.GetScreenSize();
    EXPECT_EQ(static_cast<std::uint32_t>(restored.width), original.pelsWidth);
    EXPECT_EQ(static_cast<std::uint32_t>(restored.height), original.pelsHeight);
    ASSERT_NE(display_.EnumSettings(Display::kCurrentSettings, current), 0);
    EXPECT_TRUE(SameMode(current, original));
    ASSERT_TRUE(StoredDefault(storedWidth, storedHeight));
    EXPECT_EQ(storedWidth, original.pelsWidth);
    EXPECT_EQ(storedHeight, original.pelsHeight);
}

TEST_F(Win32DisplayTest, ChangeSettingsMinusOneKeepsTheMode) {
    DevModeFields before;
    ASSERT_NE(display_.EnumSettings(Display::kCurrentSettings, before), 0);
    const platform::ScreenSize sizeBefore = display_.GetScreenSize();
    RestoreMode restore(IndexOf(before));

    display_.ChangeSettings(Display::kCurrentSettings);

    DevModeFields after;
    ASSERT_NE(display_.EnumSettings(Display::kCurrentSettings, after), 0);
    EXPECT_TRUE(SameMode(after, before));
    const platform::ScreenSize sizeAfter = display_.GetScreenSize();
    EXPECT_EQ(sizeAfter.width, sizeBefore.width);
    EXPECT_EQ(sizeAfter.height, sizeBefore.height);
}

// Needs no display: a mode number far past any list fails everywhere.
TEST(Win32DisplayNoScreenTest, FailingEnumLeavesTheRecordAsItWas) {
    Win32Display display;
    DevModeFields record;
    record.pelsWidth = 5;
    record.pelsHeight = 6;
    record.bitsPerPel = 7;
    record.displayFrequency = 8;
    EXPECT_EQ(display.EnumSettings(1 << 30, record), 0);
    EXPECT_EQ(record.pelsWidth, 5u);
    EXPECT_EQ(record.pelsHeight, 6u);
    EXPECT_EQ(record.bitsPerPel, 7u);
    EXPECT_EQ(record.displayFrequency, 8u);
}

}  // namespace
