// Win32Registry against Wine's real registry. Each test works below a key of its own,
// HKLM\SOFTWARE\Dravik Test <pid>, removed again afterwards.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/win32/scoped.h"
#include "platform/win32/win32_registry.h"

namespace {

using platform::kCurrentUser;
using platform::kLocalMachine;
using platform::kNoKey;
using platform::RegKey;
using platform::RegValue;
using platform::ScopedRegKey;
using platform::win32::ScopedHKEY;
using platform::win32::Win32Registry;

std::string TestKeyPath(const char* root) {
    return std::string(root) + "\\Dravik Test " + std::to_string(GetCurrentProcessId());
}

// Letters in a running pattern, so that a cut, a shift or a repeated block shows.
std::string Pattern(size_t n) {
    std::string s(n, ' ');
    for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + (i * 7) % 26);
    return s;
}

// What the registry itself holds, read through the UTF-16 call: independent of the A-call
// conversions that Win32Registry goes through. Returns the stored byte count or -1.
long StoredUtf16Bytes(HKEY root, const std::string& path, const char* name) {
    ScopedHKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.ReleaseAndGetAddressOf()) != ERROR_SUCCESS) return -1;
    const std::wstring wname(name, name + strlen(name));
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), wname.c_str(), nullptr, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return -1;
    return static_cast<long>(size);
}

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(registry_.CreateKey(kLocalMachine, path_, key_.Receive()));
        ASSERT_NE(key_.Get(), kNoKey);
    }
    void TearDown() override {
        key_.Close();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, path_.c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, path_.c_str());
    }

    // Stores `bytes` as a REG_SZ and reads it back through the wrapper.
    std::optional<RegValue> RoundTrip(const std::string& name, std::uint32_t type,
                                      const std::string& bytes) {
        EXPECT_TRUE(registry_.SetValue(key_.Get(), name, type, bytes));
        return registry_.QueryValue(key_.Get(), name);
    }

    Win32Registry registry_;
    ScopedRegKey key_{registry_};
    const std::string path_ = TestKeyPath("SOFTWARE");
};

TEST_F(Win32RegistryTest, OneCharacterWithoutNulStaysOneByte) {
    // The literal has a NUL right after the "0": exactly what the A call likes to count in.
    const auto value = RoundTrip("One", platform::kRegSz, "0");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, platform::kRegSz);
    EXPECT_EQ(value->bytes, std::string("0"));
    EXPECT_EQ(StoredUtf16Bytes(HKEY_LOCAL_MACHINE, path_, "One"), 2);
}

TEST_F(Win32RegistryTest, LongValuesComeBackWhole) {
    for (size_t n : {255u, 256u, 257u, 300u, 5000u}) {
        SCOPED_TRACE(n);
        const std::string text = Pattern(n);
        const auto value = RoundTrip("Long", platform::kRegSz, text);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(value->type, platform::kRegSz);
        EXPECT_EQ(value->bytes, text);
        EXPECT_EQ(StoredUtf16Bytes(HKEY_LOCAL_MACHINE, path_, "Long"), static_cast<long>(2 * n));
    }
}

TEST_F(Win32RegistryTest, TerminatingNulIsKeptWhenStored) {
    const std::string text("C:\\Players\\x", 12);
    const std::string withNul = text + '\0';
    const auto value = RoundTrip("Path", platform::kRegSz, withNul);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->bytes, withNul);
}

TEST_F(Win32RegistryTest, NulInsideComesBackWhole) {
    const std::string text("ab\0cd", 5);
    const auto sz = RoundTrip("Sz", platform::kRegSz, text);
    ASSERT_TRUE(sz.has_value());
    EXPECT_EQ(sz->bytes, text);

    const std::string binary("\0\x01\xff\0\x7f", 5);
    const auto bin = RoundTrip("Bin", platform::kRegBinary, binary);
    ASSERT_TRUE(bin.has_value());
    EXPECT_EQ(bin->type, platform::kRegBinary);
    EXPECT_EQ(bin->bytes, binary);
}

TEST_F(Win32RegistryTest, EmptyValueIsPresentAndEmpty) {
    const auto value = RoundTrip("Empty", platform::kRegSz, "");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, platform::kRegSz);
    EXPECT_EQ(value->bytes, "");
}

TEST_F(Win32RegistryTest, DwordComesBackWithItsType) {
    const std::string bytes("\x78\x56\x34\x12", 4);
    const auto value = RoundTrip("Dword", platform::kRegDword, bytes);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, platform::kRegDword);
    EXPECT_EQ(value->bytes, bytes);

    DWORD stored = 0;
    DWORD size = sizeof(stored);
    ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, path_.c_str(), "Dword", RRF_RT_REG_DWORD, nullptr,
                           &stored, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(stored, 0x12345678u);
}

TEST_F(Win32RegistryTest, ExpandSzIsNotExpanded) {
    const auto value = RoundTrip("Expand", platform::kRegExpandSz, "%SystemRoot%\\x");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, platform::kRegExpandSz);
    EXPECT_EQ(value->bytes, "%SystemRoot%\\x");
}

TEST_F(Win32RegistryTest, AbsentValueIsNullopt) {
    EXPECT_FALSE(registry_.QueryValue(key_.Get(), "Nobody wrote this").has_value());
}

TEST_F(Win32RegistryTest, QueryOnNoKeyIsNullopt) {
    EXPECT_FALSE(registry_.QueryValue(kNoKey, "Anything").has_value());
}

TEST_F(Win32RegistryTest, OpenKeyOnMissingKeyFailsAndLeavesOutUntouched) {
    RegKey out = 0x5A5A;
    EXPECT_FALSE(registry_.OpenKey(key_.Get(), "Missing", out));
    EXPECT_EQ(out, 0x5A5Au);
    EXPECT_FALSE(registry_.OpenKey(kLocalMachine, path_ + "\\Missing\\Deeper", out));
    EXPECT_EQ(out, 0x5A5Au);
}

TEST_F(Win32RegistryTest, CreateKeyOnNoKeyFailsAndLeavesOutUntouched) {
    RegKey out = 0x5A5A;
    EXPECT_FALSE(registry_.CreateKey(kNoKey, "Nowhere", out));
    EXPECT_EQ(out, 0x5A5Au);
}

TEST_F(Win32RegistryTest, CreateKeyCreatesNestedKeys) {
    ScopedRegKey nested(registry_);
    ASSERT_TRUE(registry_.CreateKey(key_.Get(), "Upper\\Middle\\Lower", nested.Receive()));
    ASSERT_TRUE(registry_.SetValue(nested.Get(), "Where", platform::kRegSz, "lower"));

    ScopedHKEY raw;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (path_ + "\\Upper\\Middle\\Lower").c_str(), 0,
                            KEY_READ, raw.ReleaseAndGetAddressOf()),
              ERROR_SUCCESS);
    char text[16] = {};
    DWORD size = sizeof(text);
    ASSERT_EQ(RegQueryValueExA(raw.Get(), "Where", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(text), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, "lower");

    // Two-step opening as the settings code does it: an upper key, then a key below the handle.
    ScopedRegKey upper(registry_);
    ScopedRegKey lower(registry_);
    ASSERT_TRUE(registry_.OpenKey(kLocalMachine, path_ + "\\Upper", upper.Receive()));
    ASSERT_TRUE(registry_.OpenKey(upper.Get(), "Middle\\Lower", lower.Receive()));
    const auto value = registry_.QueryValue(lower.Get(), "Where");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->bytes, "lower");
}

TEST_F(Win32RegistryTest, DeleteValueRemovesIt) {
    ASSERT_TRUE(registry_.SetValue(key_.Get(), "Doomed", platform::kRegSz, "x"));
    ASSERT_TRUE(registry_.QueryValue(key_.Get(), "Doomed").has_value());
    EXPECT_TRUE(registry_.DeleteValue(key_.Get(), "Doomed"));
    EXPECT_FALSE(registry_.QueryValue(key_.Get(), "Doomed").has_value());
    EXPECT_EQ(StoredUtf16Bytes(HKEY_LOCAL_MACHINE, path_, "Doomed"), -1);
    EXPECT_FALSE(registry_.DeleteValue(key_.Get(), "Doomed"));
}

TEST_F(Win32RegistryTest, CloseKeyReleasesTheHandle) {
    RegKey key = kNoKey;
    ASSERT_TRUE(registry_.OpenKey(kLocalMachine, path_, key));
    const HKEY hkey = reinterpret_cast<HKEY>(key);
    DWORD values = 0;
    ASSERT_EQ(RegQueryInfoKeyA(hkey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    registry_.CloseKey(key);
    EXPECT_NE(RegQueryInfoKeyA(hkey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}

TEST_F(Win32RegistryTest, OpenKeyExGrantsTheAccessAskedFor) {
    ASSERT_TRUE(registry_.SetValue(key_.Get(), "Size", platform::kRegSz, "32"));

    ScopedRegKey readOnly(registry_);
    ASSERT_TRUE(registry_.OpenKeyEx(kLocalMachine, path_, KEY_QUERY_VALUE, readOnly.Receive()));
    ASSERT_TRUE(registry_.QueryValue(readOnly.Get(), "Size").has_value());
    EXPECT_FALSE(registry_.SetValue(readOnly.Get(), "Size", platform::kRegSz, "31"));

    ScopedRegKey full(registry_);
    ASSERT_TRUE(registry_.OpenKeyEx(kLocalMachine, path_, 0x3F, full.Receive()));
    EXPECT_TRUE(registry_.SetValue(full.Get(), "Size", platform::kRegSz, "31"));
    EXPECT_EQ(registry_.QueryValue(full.Get(), "Size")->bytes, "31");

    RegKey out = 0x5A5A;
    EXPECT_FALSE(registry_.OpenKeyEx(kLocalMachine, path_ + "\\Missing", 0x3F, out));
    EXPECT_EQ(out, 0x5A5Au);
}

// kLocalMachine and kCurrentUser must reach the two different hives, also on x86_64 where the
// HKEY_* constants are sign-extended.
TEST_F(Win32RegistryTest, RootsReachTheirHives) {
    ASSERT_TRUE(registry_.SetValue(key_.Get(), "Hive", platform::kRegSz, "machine"));
    EXPECT_EQ(StoredUtf16Bytes(HKEY_LOCAL_MACHINE, path_, "Hive"), 14);

    const std::string userPath = TestKeyPath("Software");
    {
        ScopedRegKey user(registry_);
        ASSERT_TRUE(registry_.CreateKey(kCurrentUser, userPath, user.Receive()));
        ASSERT_TRUE(registry_.SetValue(user.Get(), "Hive", platform::kRegSz, "user"));
    }
    EXPECT_EQ(StoredUtf16Bytes(HKEY_CURRENT_USER, userPath, "Hive"), 8);
    RegDeleteTreeA(HKEY_CURRENT_USER, userPath.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, userPath.c_str());
    EXPECT_EQ(StoredUtf16Bytes(HKEY_LOCAL_MACHINE, path_, "Hive"), 14);
}

#if !defined(_WIN64)
// The release is a 32-bit program: its HKLM\SOFTWARE must land in the WOW6432Node view,
// where 32-bit programs of other makers look for it.
TEST_F(Win32RegistryTest, ThirtyTwoBitViewIsRedirectedToWow6432Node) {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64)
        GTEST_SKIP() << "not a 32-bit process on a 64-bit system: no registry redirection";
    ASSERT_TRUE(registry_.SetValue(key_.Get(), "Wow", platform::kRegSz, "redirected"));

    const std::string wowPath =
        "SOFTWARE\\WOW6432Node\\Dravik Test " + std::to_string(GetCurrentProcessId());
    ScopedHKEY native;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, wowPath.c_str(), 0, KEY_READ | KEY_WOW64_64KEY,
                            native.ReleaseAndGetAddressOf()),
              ERROR_SUCCESS);
    char text[32] = {};
    DWORD size = sizeof(text) - 1;
    ASSERT_EQ(RegQueryValueExA(native.Get(), "Wow", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(text), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(text, size), "redirected");

    ScopedHKEY notThere;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_READ | KEY_WOW64_64KEY,
                            notThere.ReleaseAndGetAddressOf()),
              ERROR_SUCCESS);
}
#endif

}  // namespace
