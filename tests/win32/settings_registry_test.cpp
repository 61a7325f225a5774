// The settings store's read over Wine's real registry, for values that other tools stored in
// types of their own: RegQueryValueExA hands their bytes out as they are, and the store lays
// them over its 256 spaces. Each test works below HKLM\SOFTWARE\Dravik Settings Test <pid>.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/win32_registry.h"
#include "settings/settings_store.h"

namespace {

class Win32SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (upper_ + "\\Lower").c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &lower_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(lower_);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, upper_.c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, upper_.c_str());
    }
    // As a tool writes them: strings with their terminating NUL.
    void Write(const char* name, DWORD type, const std::string& bytes) {
        ASSERT_EQ(RegSetValueExA(lower_, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
    std::string Read(const char* name) {
        return settings::ReadRegText(registry_, upper_.c_str(), "Lower", name);
    }

    platform::win32::Win32Registry registry_;
    const std::string upper_ = "SOFTWARE\\Dravik Settings Test " + std::to_string(GetCurrentProcessId());
    HKEY lower_ = nullptr;
};

TEST_F(Win32SettingsTest, ExpandSzPathIsReadUnexpanded) {
    const std::string path = "%ProgramFiles%\\Other\\other.exe";
    Write("Path", REG_EXPAND_SZ, path + '\0');
    const std::string text = Read("Path");
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(text.substr(0, path.size() + 1), path + '\0');
    EXPECT_EQ(text.back(), ' ');
}

TEST_F(Win32SettingsTest, DwordBytesComeAsTheyAreWithoutANul) {
    const DWORD one = 1;
    Write("Number", REG_DWORD, std::string(reinterpret_cast<const char*>(&one), sizeof one));
    EXPECT_EQ(Read("Number"), std::string("\x01\0\0\0", 4) + std::string(252, ' '));
}

TEST_F(Win32SettingsTest, MultiSzKeepsItsStrings) {
    Write("Many", REG_MULTI_SZ, std::string("800 x 600 @ 60Hz 256 colors\0second\0\0", 37));
    const std::string text = Read("Many");
    EXPECT_EQ(text.substr(0, 37), std::string("800 x 600 @ 60Hz 256 colors\0second\0\0", 37));
    EXPECT_EQ(text.substr(37, 2), std::string("\0 ", 2));
}

TEST_F(Win32SettingsTest, LongExpandSzReadsAsItsFirst256Characters) {
    const std::string path = "C:\\" + std::string(300, 'p') + "\\Dravik.exe";
    Write("Long", REG_EXPAND_SZ, path + '\0');
    EXPECT_EQ(Read("Long"), path.substr(0, 256));
}

}  // namespace
