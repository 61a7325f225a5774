#include <gtest/gtest.h>

#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system.h"
#include "settings/settings_store.h"
#include "tests/registry_keys.h"

using platform::memory::MemoryRegistry;
using platform::memory::MemorySystem;

namespace {

using testing_support::kOptions;
using testing_support::kRun;
constexpr const char* kUserRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kQuotedPath = "\"C:\\Program Files\\Dravik\\Dravik.exe\"";

class Settings : public ::testing::Test {
protected:
    std::string Stored(const char* path, const char* name) {
        const auto v = registry.Get(path, name);
        return v ? v->bytes : "<absent>";
    }
    std::string StoredForUser(const char* name) {
        const auto v = registry.Get(platform::kCurrentUser, kUserRun, name);
        return v ? v->bytes : "<absent>";
    }

    MemoryRegistry registry;
    MemorySystem system;
};

}  // namespace

TEST_F(Settings, FirstRunWritesBothDefaultsWithoutNulAndNoAutostart) {
    settings::CheckRegistry(registry);
    const auto tray = registry.Get(kOptions, "Start in SysTray");
    ASSERT_TRUE(tray);
    EXPECT_EQ(tray->type, platform::kRegSz);
    EXPECT_EQ(tray->bytes, "0");  // one byte, no terminating NUL
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "800 x 600 @ 60Hz 256 colors");
    EXPECT_FALSE(registry.Get(kRun, "Morv Dravik"));
    EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST_F(Settings, ExistingValuesAreLeftAloneWhateverTheyHold) {
    registry.Put(kOptions, "Start in SysTray", "yes please");
    registry.Put(kOptions, "BtnMovie", "garbage");
    settings::CheckRegistry(registry);
    EXPECT_EQ(Stored(kOptions, "Start in SysTray"), "yes please");
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "garbage");
    EXPECT_EQ(registry.Writes(), 0);
}

TEST_F(Settings, ValueStartingWithTwentyFiveSpacesCountsAsAbsent) {
    registry.Put(kOptions, "BtnMovie", std::string(25, ' ') + "1024 x 768 @ 75Hz 16bit colors");
    registry.Put(kOptions, "Start in SysTray", std::string(24, ' ') + "1");
    settings::CheckRegistry(registry);
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "800 x 600 @ 60Hz 256 colors");
    EXPECT_EQ(Stored(kOptions, "Start in SysTray"), std::string(24, ' ') + "1");
}

TEST_F(Settings, EmptyValueReadsAsNulAndIsKept) {
    registry.Put(kOptions, "Start in SysTray", "");
    const std::string text = settings::GetRegValueTray(registry);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(text.substr(1), std::string(255, ' '));
    settings::CheckRegistry(registry);
    EXPECT_EQ(Stored(kOptions, "Start in SysTray"), "");
    EXPECT_FALSE(settings::TrayTextIsOn(text));
}

TEST_F(Settings, ReadBufferIsAlways256Characters) {
    EXPECT_EQ(settings::GetRegValueTray(registry), std::string(256, ' '));  // absent key

    registry.Put(kOptions, "BtnMovie", std::string(255, 'a'));
    std::string text = settings::ReadRegText(registry, settings::kDravikKey, settings::kOptionsKey,
                                             "BtnMovie");
    EXPECT_EQ(text, std::string(255, 'a') + '\0');

    registry.Put(kOptions, "BtnMovie", std::string(256, 'b'));
    text = settings::ReadRegText(registry, settings::kDravikKey, settings::kOptionsKey, "BtnMovie");
    EXPECT_EQ(text, std::string(256, 'b'));

    // Longer than the buffer: its first 256 characters.
    registry.Put(kOptions, "BtnMovie", std::string(256, 'c') + std::string(44, 'd'));
    text = settings::ReadRegText(registry, settings::kDravikKey, settings::kOptionsKey, "BtnMovie");
    EXPECT_EQ(text, std::string(256, 'c'));
}

// Other tools store these values in types of their own; their bytes are read all the same.
TEST_F(Settings, ExpandSzAutostartPathIsReadAndKept) {
    const std::string path = "C:\\Program Files\\Other\\other.exe";
    registry.Put(kRun, "Morv Dravik", path + '\0', platform::kRegExpandSz);
    const std::string text =
        settings::ReadRegText(registry, settings::kMicrosoftKey, settings::kRunKey, "Morv Dravik");
    EXPECT_EQ(text, path + '\0' + '\0' + std::string(256 - path.size() - 2, ' '));
    EXPECT_TRUE(settings::GetRegValueStart(registry));
}

TEST_F(Settings, NumbersAndBinaryDataAreLaidOverTheSpacesAndLeftAlone) {
    registry.Put(kOptions, "Start in SysTray", std::string("\x01\0\0\0", 4), platform::kRegDword);
    registry.Put(kOptions, "BtnMovie", "1024 x 768 @ 75Hz 16bit colors", platform::kRegBinary);
    const std::string tray = settings::GetRegValueTray(registry);
    // No NUL is added after data that is not text.
    EXPECT_EQ(tray, std::string("\x01\0\0\0", 4) + std::string(252, ' '));
    EXPECT_FALSE(settings::TrayTextIsOn(tray));
    EXPECT_EQ(settings::GetRegValueBtnMovie(registry), "1024 x 768 @ 75Hz 16bit colors");
    settings::CheckRegistry(registry);
    EXPECT_EQ(registry.Writes(), 0) << "values that do not start with 25 spaces are left alone";
    EXPECT_EQ(registry.Get(kOptions, "Start in SysTray")->type, platform::kRegDword);
}

TEST_F(Settings, AnyTypeStartingWithTwentyFiveSpacesCountsAsAbsent) {
    registry.Put(kOptions, "Start in SysTray", std::string(30, ' '), platform::kRegBinary);
    registry.Put(kOptions, "BtnMovie", std::string(25, ' ') + "x" + '\0' + '\0', platform::kRegMultiSz);
    settings::CheckRegistry(registry);
    const auto tray = registry.Get(kOptions, "Start in SysTray");
    ASSERT_TRUE(tray);
    EXPECT_EQ(tray->type, platform::kRegSz);
    EXPECT_EQ(tray->bytes, "0");
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "800 x 600 @ 60Hz 256 colors");
}

TEST_F(Settings, LongValueOfAnotherTypeReadsAsItsFirst256Characters) {
    const std::string path = "C:\\" + std::string(300, 'p') + "\\Dravik.exe";
    registry.Put(kRun, "Morv Dravik", path, platform::kRegExpandSz);
    EXPECT_EQ(settings::ReadRegText(registry, settings::kMicrosoftKey, settings::kRunKey, "Morv Dravik"),
              path.substr(0, 256));
    EXPECT_TRUE(settings::GetRegValueStart(registry));
}

TEST(TrayText, OnlyTheNumberOneIsOn) {
    const auto padded = [](std::string s) {
        s.resize(256, ' ');
        return s;
    };
    EXPECT_TRUE(settings::TrayTextIsOn(padded(std::string("1\0", 2))));
    EXPECT_TRUE(settings::TrayTextIsOn(padded("1")));
    EXPECT_TRUE(settings::TrayTextIsOn(padded(" 1.0")));
    EXPECT_TRUE(settings::TrayTextIsOn(padded(std::string("1\0garbage", 9))));
    EXPECT_FALSE(settings::TrayTextIsOn(padded(std::string("0\0", 2))));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("11")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("yes")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("1x")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("0x1")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded(std::string("\0", 1))));
    EXPECT_FALSE(settings::TrayTextIsOn(std::string(256, ' ')));
    EXPECT_TRUE(settings::TrayTextIsOn(padded("+1")));
    EXPECT_TRUE(settings::TrayTextIsOn(padded("01.000")));
    EXPECT_TRUE(settings::TrayTextIsOn(padded("10e-1")));
    EXPECT_TRUE(settings::TrayTextIsOn(padded("0.1E1")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("-1")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("1.5")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("10")));
    EXPECT_TRUE(settings::TrayTextIsOn(padded("0.01e2")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("0.01e1")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("1e")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded(".")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("1 1")));
    EXPECT_FALSE(settings::TrayTextIsOn(padded("inf")));
}

TEST_F(Settings, MovieLabelIsCutAfterTheFirstLowerCaseS) {
    registry.Put(kOptions, "BtnMovie", "1024 x 768 @ 75Hz 16bit colors");
    EXPECT_EQ(settings::GetRegValueBtnMovie(registry), "1024 x 768 @ 75Hz 16bit colors");
    registry.Put(kOptions, "BtnMovie", "800 x 600 @ 60Hz");
    EXPECT_EQ(settings::GetRegValueBtnMovie(registry), "");
    registry.Put(kOptions, "BtnMovie", "Sessions");
    EXPECT_EQ(settings::GetRegValueBtnMovie(registry), "Ses");
    EXPECT_EQ(settings::GetRegValueBtnMovie(registry).find('\0'), std::string::npos);
}

TEST_F(Settings, MovieLabelWithNulInsideKeepsWhatPrecedesTheS) {
    registry.Put(kOptions, "BtnMovie", std::string("800\0 x 600 @ 60Hz 256 colors", 28));
    EXPECT_EQ(settings::GetRegValueBtnMovie(registry), std::string("800\0 x 600 @ 60Hz 256 colors", 28));
}

TEST_F(Settings, AutostartTestLooksForADriveLetterPath) {
    EXPECT_FALSE(settings::GetRegValueStart(registry));
    registry.Put(kRun, "Morv Dravik", "D:\\Other\\Program.exe");
    EXPECT_TRUE(settings::GetRegValueStart(registry));
    registry.Put(kRun, "Morv Dravik", "\\\\server\\share\\Dravik.exe");
    EXPECT_FALSE(settings::GetRegValueStart(registry));
    registry.Put(kRun, "Morv Dravik", "\"C:\\My Tools\\Dravik.exe\"");  // as written now
    EXPECT_TRUE(settings::GetRegValueStart(registry));
    registry.Put(kRun, "Morv Dravik", "\"\\\\server\\share\\Dravik.exe\"");
    EXPECT_FALSE(settings::GetRegValueStart(registry));
    registry.Put(kRun, "Morv Dravik", "C:");
    EXPECT_FALSE(settings::GetRegValueStart(registry));
    // A long install path still reads as registered.
    registry.Put(kRun, "Morv Dravik", "C:\\" + std::string(300, 'p') + "\\Dravik.exe");
    EXPECT_TRUE(settings::GetRegValueStart(registry));
}

TEST_F(Settings, SetRegEndWritesAllThreeInOrder) {
    settings::CheckRegistry(registry);
    settings::SetRegEnd(registry, system, {1, 1, "1024 x 768 @ 75Hz 16bit colors"});
    EXPECT_EQ(Stored(kOptions, "Start in SysTray"), "1");
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "1024 x 768 @ 75Hz 16bit colors");
    // The machine's Run key must exist for the autostart value to be written there: it is
    // opened, not created. Without it the value goes to the user's own Run key.
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), "<absent>");
    EXPECT_EQ(StoredForUser("Morv Dravik"), kQuotedPath);

    registry.Put(kRun, "Other", "x");
    settings::SetRegEnd(registry, system, {1, 1, "1024 x 768 @ 75Hz 16bit colors"});
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), kQuotedPath);
    EXPECT_EQ(StoredForUser("Morv Dravik"), "<absent>") << "one autostart, not two";

    settings::SetRegEnd(registry, system, {2, 0, ""});
    EXPECT_EQ(Stored(kOptions, "Start in SysTray"), "0");  // greyed is not ticked
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), "<absent>");
    EXPECT_EQ(Stored(kRun, "Other"), "x");
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "");
    EXPECT_EQ(registry.OpenHandles(), 0);

    // In that order: a registry that takes only the first writes has the earlier values.
    registry.RefuseWritesAfter(1);
    settings::SetRegEnd(registry, system, {1, 1, "later"});
    EXPECT_EQ(Stored(kOptions, "Start in SysTray"), "1");
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), "<absent>");
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "");
    registry.RefuseWritesAfter(2);
    settings::SetRegEnd(registry, system, {0, 1, "later"});
    EXPECT_EQ(Stored(kOptions, "Start in SysTray"), "0");
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), kQuotedPath);
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "");
}

// A standard user from Windows Vista on can read the machine's Run key but not write it, and
// that key has no virtual store: the value goes to the user's own Run key, and the box shows it.
TEST_F(Settings, WhereTheMachinesRunKeyIsReadOnlyTheUsersRunKeyHoldsTheAutostart) {
    registry.Put(kRun, "Other", "x");
    registry.DenyMachineWrites(true);
    settings::SetRegEnd(registry, system, {0, 1, ""});
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), "<absent>");
    EXPECT_EQ(StoredForUser("Morv Dravik"), kQuotedPath);
    EXPECT_TRUE(settings::GetRegValueStart(registry));

    settings::SetRegEnd(registry, system, {0, 0, ""});
    EXPECT_EQ(StoredForUser("Morv Dravik"), "<absent>");
    EXPECT_FALSE(settings::GetRegValueStart(registry));

    // Run as administrator later: the machine's key takes it, the user's copy goes.
    settings::SetRegEnd(registry, system, {0, 1, ""});
    registry.DenyMachineWrites(false);
    settings::SetRegEnd(registry, system, {0, 1, ""});
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), kQuotedPath);
    EXPECT_EQ(StoredForUser("Morv Dravik"), "<absent>");
    settings::SetRegEnd(registry, system, {0, 0, ""});
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), "<absent>");
    EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST_F(Settings, SetRegEndNeverCreatesTheOptionsKey) {
    settings::SetRegEnd(registry, system, {1, 0, "x"});
    EXPECT_FALSE(registry.KeyExists(kOptions));
}

TEST_F(Settings, RefusedWritesAreLostSilently) {
    registry.DenyWrites(true);
    settings::CheckRegistry(registry);
    EXPECT_FALSE(registry.KeyExists(kOptions));
    registry.DenyWrites(false);
    registry.Put(kOptions, "BtnMovie", "old");
    registry.DenyWrites(true);
    settings::SetRegEnd(registry, system, {1, 1, "new"});
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "old");
}
