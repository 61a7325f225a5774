// The tray component against the in-memory shell and a scripted hidden window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/memory/memory_shell.h"
#include "tray/sys_tray.h"

namespace {

using platform::memory::MemoryShell;
using tray::frmSysTray;
using tray::MenuItem;

constexpr platform::WindowHandle kWindow = 0x5150;
constexpr platform::IconHandle kOwnIcon = 0x1234567;

// What the hidden window shows and the user picks, shared with the host the factory makes.
struct Script {
    std::string description;
    int pick = -1;
    std::vector<MenuItem> shownItems;
    int shownDefault = -2;
    std::vector<std::string>* log = nullptr;
    int hostsMade = 0;
};

class ScriptedHost : public tray::SysTrayHost {
public:
    explicit ScriptedHost(Script& script) : script_(script) {}
    platform::WindowHandle Window() override { return kWindow; }
    platform::IconHandle OwnIcon() override { return kOwnIcon; }
    std::string FileDescription() override { return script_.description; }
    int TrackMenu(const std::vector<MenuItem>& items, int defaultIndex) override {
        script_.shownItems = items;
        script_.shownDefault = defaultIndex;
        if (script_.log) script_.log->push_back("menu");
        return script_.pick;
    }

private:
    Script& script_;
};

class SysTray : public ::testing::Test {
protected:
    SysTray() {
        script.log = &shell.log;
        tray = std::make_shared<frmSysTray>(shell, [this](frmSysTray&) {
            ++script.hostsMade;
            return std::make_unique<ScriptedHost>(script);
        });
        tray->SysTrayMouseDown = [this](int b) { events.push_back("down " + std::to_string(b)); };
        tray->SysTrayMouseUp = [this](int b) { events.push_back("up " + std::to_string(b)); };
        tray->SysTrayMouseMove = [this] { events.push_back("move"); };
        tray->SysTrayDoubleClick = [this](int b) { events.push_back("dbl " + std::to_string(b)); };
        tray->MenuClick = [this](int i, const std::string& key) {
            events.push_back("click " + std::to_string(i) + " " + key);
        };
    }

    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        for (const auto& item : tray->Items()) out.push_back(item.caption);
        return out;
    }

    MemoryShell shell;
    Script script;
    std::shared_ptr<frmSysTray> tray;
    std::vector<std::string> events;
};

TEST_F(SysTray, FirstUseAddsTheIconWithTheFirstFormOfTheRecord) {
    EXPECT_TRUE(shell.notifications.empty()) << "nothing before the first use";
    EXPECT_EQ(tray->AddMenuItem("A", "a", false), 0);
    ASSERT_EQ(shell.notifications.size(), 1u);
    EXPECT_EQ(script.hostsMade, 1);
    const auto& call = shell.notifications[0];
    EXPECT_EQ(call.message, platform::kNimAdd);
    const platform::NotifyIconData& r = call.data;
    // 88 bytes where handles are 32-bit (the i686 release), the same form's 104 on x86_64.
    EXPECT_EQ(r.cbSize, sizeof(void*) == 4 ? 88u : 104u);
    EXPECT_EQ(r.hWnd, kWindow);
    EXPECT_EQ(r.uID, static_cast<std::uint32_t>(kOwnIcon));
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 0x200u);
    EXPECT_EQ(r.hIcon, kOwnIcon);
    // No file description: an empty tip, its NUL, then spaces.
    EXPECT_EQ(r.szTip[0], '\0');
    for (std::size_t i = 1; i < 64; ++i) ASSERT_EQ(r.szTip[i], ' ') << i;

    EXPECT_EQ(tray->AddMenuItem("B", "b", false), 1);
    EXPECT_EQ(shell.notifications.size(), 1u) << "one icon per component";
}

TEST_F(SysTray, FirstTipIsTheFileDescriptionCutToFitItsNul) {
    script.description = std::string(70, 'd');
    EXPECT_EQ(tray->ToolTip(), std::string(63, 'd'));
    EXPECT_EQ(shell.notifications.at(0).data.szTip[63], '\0');
}

TEST_F(SysTray, ItemsAreAddedReusedAndRemovedByIndex) {
    EXPECT_EQ(tray->Items().size(), 1u) << "item 0 exists from the start";
    EXPECT_FALSE(tray->FirstItemUsed());
    EXPECT_EQ(tray->AddMenuItem("First", "k1", false), 0);
    EXPECT_TRUE(tray->FirstItemUsed());
    EXPECT_EQ(tray->AddMenuItem("Second", "k2", false), 1);
    EXPECT_EQ(tray->RemoveMenuItem(0), 0);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"", "Second"}));
    EXPECT_EQ(tray->Items()[0].tag, "k1") << "the emptied first item keeps its key";
    EXPECT_EQ(tray->AddMenuItem("Third", "k3", false), 2);

    // Removing from the middle moves the later captions and keys up.
    auto other = std::make_shared<frmSysTray>(shell, nullptr);
    other->AddMenuItem("A", "a", false);
    other->AddMenuItem("B", "b", false);
    other->AddMenuItem("C", "c", false);
    other->RemoveMenuItem(1);
    ASSERT_EQ(other->Items().size(), 2u);
    EXPECT_EQ(other->Items()[1].caption, "C");
    EXPECT_EQ(other->Items()[1].tag, "c");
    // Indexes outside the array change nothing.
    other->RemoveMenuItem(5);
    other->RemoveMenuItem(-1);
    other->EnableMenuItem(7, false);
    EXPECT_EQ(other->Items().size(), 2u);
    other->EnableMenuItem(1, false);
    EXPECT_FALSE(other->Items()[1].enabled);
}

TEST_F(SysTray, TipKeepsAtMost63CharactersAndSkipsAnUnchangedFullTip) {
    tray->AddMenuItem("A", "a", false);
    const std::string seventy(70, 'x');
    tray->SetToolTip(seventy);
    ASSERT_EQ(shell.notifications.size(), 2u);
    EXPECT_EQ(shell.notifications[1].message, platform::kNimModify);
    EXPECT_EQ(shell.notifications[1].data.uFlags, 4u);
    EXPECT_EQ(tray->ToolTip(), std::string(63, 'x'));
    EXPECT_EQ(shell.notifications[1].data.szTip[63], '\0');

    tray->SetToolTip(std::string(63, 'x'));
    EXPECT_EQ(shell.notifications.size(), 2u) << "an unchanged 63-character tip sends nothing";
    tray->SetToolTip("short");
    tray->SetToolTip("short");
    EXPECT_EQ(shell.notifications.size(), 4u) << "a shorter tip is sent whether or not it changed";
    EXPECT_EQ(MemoryShell::Tip(shell.notifications[3].data), "short");
    EXPECT_EQ(shell.notifications[3].data.szTip[6], ' ') << "padded with spaces after the NUL";
}

TEST_F(SysTray, IconHandleChangeSendsOnlyTheIconFlag) {
    EXPECT_EQ(tray->IconHandle(), kOwnIcon);
    tray->SetIconHandle(kOwnIcon);
    EXPECT_EQ(shell.notifications.size(), 1u) << "the handle in use sends nothing";
    tray->SetIconHandle(0x99);
    ASSERT_EQ(shell.notifications.size(), 2u);
    EXPECT_EQ(shell.notifications[1].message, platform::kNimModify);
    EXPECT_EQ(shell.notifications[1].data.uFlags, 2u);
    EXPECT_EQ(shell.notifications[1].data.hIcon, 0x99u);
    EXPECT_EQ(shell.notifications[1].data.uID, static_cast<std::uint32_t>(kOwnIcon));
}

TEST_F(SysTray, DefaultIndexOutsideTheItemsBecomesTheFirst) {
    tray->AddMenuItem("A", "a", false);
    tray->AddMenuItem("B", "b", true);
    tray->AddMenuItem("C", "c", false);
    EXPECT_EQ(tray->DefaultMenuIndex(), 1);
    tray->SetDefaultMenuIndex(2);
    EXPECT_EQ(tray->DefaultMenuIndex(), 2);
    tray->SetDefaultMenuIndex(99);
    EXPECT_EQ(tray->DefaultMenuIndex(), 0);
    tray->SetDefaultMenuIndex(-1);
    EXPECT_EQ(tray->DefaultMenuIndex(), 0);
}

TEST_F(SysTray, ShowMenuTakesTheForegroundFirstAndReportsThePick) {
    tray->AddMenuItem("Open", "open", false);
    tray->AddMenuItem("-", "", false);
    tray->AddMenuItem("Exit", "close", false);
    shell.log.clear();
    script.pick = 2;
    tray->ShowMenu();
    EXPECT_EQ(shell.log, (std::vector<std::string>{"foreground", "menu"}));
    EXPECT_EQ(shell.foreground.back(), kWindow);
    EXPECT_EQ(script.shownDefault, 0) << "item 0 is the default even without make-default";
    ASSERT_EQ(script.shownItems.size(), 3u);
    EXPECT_EQ(events, (std::vector<std::string>{"click 2 close"}));

    events.clear();
    script.pick = 1;  // a separator
    tray->ShowMenu();
    script.pick = -1;  // dismissed
    tray->ShowMenu();
    EXPECT_TRUE(events.empty());
}

TEST_F(SysTray, CallbackNumbersMapToEventsAndOthersRaiseNothing) {
    tray->AddMenuItem("A", "a", false);
    for (int message = 0x1FF; message <= 0x208; ++message) tray->ShellCallback(message);
    EXPECT_EQ(events, (std::vector<std::string>{"move", "down 1", "up 1", "dbl 1", "down 2",
                                                "up 2", "dbl 2"}));
}

TEST_F(SysTray, UnloadRemovesTheIconOnceAndSilencesTheComponent) {
    tray->AddMenuItem("A", "a", false);
    tray->Unload();
    tray->Unload();
    ASSERT_EQ(shell.notifications.size(), 2u);
    EXPECT_EQ(shell.notifications[1].message, platform::kNimDelete);
    EXPECT_TRUE(shell.Icons().empty());
    tray->ShellCallback(0x204);
    tray->ShellRestarted();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(shell.notifications.size(), 2u);
    tray.reset();
    EXPECT_EQ(shell.notifications.size(), 2u) << "no second delete when it goes";
}

TEST_F(SysTray, DroppingALoadedComponentRemovesItsIcon) {
    tray->AddMenuItem("A", "a", false);
    tray.reset();
    ASSERT_EQ(shell.notifications.size(), 2u);
    EXPECT_EQ(shell.notifications[1].message, platform::kNimDelete);

    auto unused = std::make_shared<frmSysTray>(shell, nullptr);
    unused.reset();
    EXPECT_EQ(shell.notifications.size(), 2u) << "a component never used never had an icon";
}

TEST_F(SysTray, ARecreatedNotificationAreaGetsTheWholeIconAgain) {
    tray->AddMenuItem("A", "a", false);
    tray->SetToolTip("the tip");
    // The shell restarted and lost every icon.
    shell.NotifyIcon(platform::kNimDelete, tray->Record());
    ASSERT_TRUE(shell.Icons().empty());
    tray->ShellRestarted();
    const auto& last = shell.notifications.back();
    EXPECT_EQ(last.message, platform::kNimAdd);
    EXPECT_EQ(last.data.uFlags, 7u) << "icon, callback and tip, not only the last change";
    ASSERT_EQ(shell.Icons().size(), 1u);
    EXPECT_EQ(MemoryShell::Tip(shell.Icons().begin()->second), "the tip");
    EXPECT_EQ(shell.Icons().begin()->second.uCallbackMessage, 0x200u);
}

TEST_F(SysTray, ARefusedIconIsNotShownUntilARecreatedAreaTakesIt) {
    int late = 0;
    tray->IconShownLate = [&] { ++late; };
    shell.refuseIcons = true;
    tray->AddMenuItem("A", "a", false);
    EXPECT_FALSE(tray->IconShown());
    EXPECT_EQ(shell.log.back(), "add refused");
    tray->ShellRestarted();  // a new area that refuses too
    EXPECT_FALSE(tray->IconShown());
    EXPECT_EQ(late, 0);

    shell.refuseIcons = false;
    tray->ShellRestarted();
    EXPECT_TRUE(tray->IconShown());
    EXPECT_EQ(shell.Icons().size(), 1u);
    EXPECT_EQ(late, 1);
    // An area that restarts again while the icon is shown is no late showing.
    tray->ShellRestarted();
    EXPECT_EQ(late, 1);
    tray->Unload();
    EXPECT_FALSE(tray->IconShown());
}

}  // namespace
