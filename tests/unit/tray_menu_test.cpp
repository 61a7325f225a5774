// The main window's side of the notification area: the menu it builds, the commands behind
// it, the double click, the session end, and the about window's lifecycle.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "launch/html.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_display.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system.h"
#include "tests/recording_icons.h"
#include "tests/test_window_host.h"
#include "tests/registry_keys.h"

namespace {

using app::FrmMain;
using platform::memory::MemoryShell;
using platform::memory::Mode;

using testing_support::kOptions;
constexpr const char* kLabel1024 = "1024 x 768 @ 60Hz 32bit colors";
constexpr const char* kLabel800 = "800 x 600 @ 60Hz 256 colors";

using testing_support::RecordingIcons;

// The hidden window of each tray component: the test picks from its menu by key.
struct MenuScript {
    std::string pickKey;
    std::vector<tray::MenuItem> shown;
    int shownDefault = -2;
    int menusShown = 0;
};

class MenuHost : public tray::SysTrayHost {
public:
    explicit MenuHost(MenuScript& script) : script_(script) {}
    platform::WindowHandle Window() override { return 0x7A7; }
    platform::IconHandle OwnIcon() override { return 0x1C0; }
    std::string FileDescription() override { return {}; }
    int TrackMenu(const std::vector<tray::MenuItem>& items, int defaultIndex) override {
        ++script_.menusShown;
        script_.shown = items;
        script_.shownDefault = defaultIndex;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (!script_.pickKey.empty() && items[i].tag == script_.pickKey)
                return static_cast<int>(i);
        return -1;
    }

private:
    MenuScript& script_;
};

class TrayMenu : public ::testing::Test {
protected:
    TrayMenu() { display.SetCurrent(Mode(1024, 768, 32, 60)); }

    FrmMain& Start(bool inTray) {
        registry.Put(kOptions, "Start in SysTray", inTray ? "1" : "0");
        form = std::make_unique<FrmMain>(platform, icons);
        host.makeTray = [this](tray::frmSysTray&) { return std::make_unique<MenuHost>(script); };
        form->SetHost(host);
        form->window.SetSize(495, 347);
        EXPECT_EQ(form->Form_Load(), FrmMain::LoadResult::Loaded);
        form->SaveStartUpLayout();
        return *form;
    }

    // The shell reports a mouse message for the icon, as the hidden window hands it on: with a
    // reference of its own while the event runs.
    void Notify(int mouseMessage) {
        ASSERT_TRUE(form->m_frmSysTray) << "no tray icon";
        std::shared_ptr<tray::frmSysTray> keep = form->m_frmSysTray;
        keep->ShellCallback(mouseMessage);
    }
    // A right click and a pick of the item with this key.
    void Choose(const std::string& key) {
        script.pickKey = key;
        Notify(0x204);
        script.pickKey.clear();
    }

    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        for (const auto& item : form->m_frmSysTray->Items()) out.push_back(item.caption);
        return out;
    }
    std::vector<std::string> Keys() const {
        std::vector<std::string> out;
        for (const auto& item : form->m_frmSysTray->Items()) out.push_back(item.tag);
        return out;
    }
    std::string Tip() const {
        return shell.Icons().empty() ? "<no icon>" : MemoryShell::Tip(shell.Icons().begin()->second);
    }

    platform::memory::MemoryDisplay display{{Mode(640, 480, 8, 60), Mode(800, 600, 8, 60),
                                             Mode(1024, 768, 32, 60)}};
    platform::memory::MemoryRegistry registry;
    platform::memory::MemorySystem system;
    platform::memory::MemoryUi ui;
    MemoryShell shell;
    platform::memory::MemoryRegistry registry32;
    platform::Platform platform{display, registry, system, ui, shell, registry32};
    platform::memory::MemoryDesktop desktop;
    RecordingIcons icons{platform, desktop};
    MenuScript script;
    testing_support::TestWindowHost host{0x4242};
    std::unique_ptr<FrmMain> form;
};

TEST_F(TrayMenu, StartInTrayShowsOneIconWithTheMenuAndTipAndNoWindow) {
    FrmMain& f = Start(true);
    EXPECT_FALSE(f.window.Visible());
    ASSERT_TRUE(f.m_frmSysTray);
    EXPECT_EQ(shell.Icons().size(), 1u);
    EXPECT_EQ(Captions(), (std::vector<std::string>{
                              "Open Dravik", "-", kLabel1024, kLabel800, "Monitor settings", "-",
                              "Save Desktop Icons", "Restore Desktop Icons", "-", "About",
                              "Donate", "-", "Exit"}));
    EXPECT_EQ(Keys(), (std::vector<std::string>{"open", "", "monitor", "movie", "screensettings",
                                                "", "save", "restore", "", "about", "donate", "",
                                                "close"}));
    EXPECT_EQ(f.m_frmSysTray->DefaultMenuIndex(), 0);
    // 30 + 35 characters, of which the tip keeps 63.
    const std::string full = std::string(kLabel1024) + " - Doubleclick to change resolution";
    ASSERT_EQ(full.size(), 65u);
    EXPECT_EQ(Tip(), full.substr(0, 63));
}

TEST_F(TrayMenu, StartInWindowHasNoIconUntilTrayIt) {
    FrmMain& f = Start(false);
    EXPECT_TRUE(f.window.Visible());
    EXPECT_TRUE(shell.notifications.empty());
    f.CmdTray.Click();
    EXPECT_FALSE(f.window.Visible());
    EXPECT_EQ(shell.Icons().size(), 1u);
}

TEST_F(TrayMenu, PlayersFromThe32BitViewAppearBetweenSeparators) {
    // Only the 32-bit view counts: a key in the program's own view is not a player.
    registry.Put("SOFTWARE\\CyberLink\\PowerDVD", "InstallPath", "C:\\CyberLink\\PowerDVD");
    registry32.Put("SOFTWARE\\VideoLAN\\VLC", "InstallDir", "C:\\Program Files\\VideoLAN\\VLC\\");
    FrmMain& f = Start(true);
    EXPECT_EQ(f.bDVD, 0);
    EXPECT_EQ(f.bWinDVD, 0);
    EXPECT_EQ(f.bVLC, -1);
    const std::vector<std::string> captions = Captions();
    ASSERT_EQ(captions.size(), 15u);
    EXPECT_EQ(captions[8], "-");
    EXPECT_EQ(captions[9], "Start VLC");
    EXPECT_EQ(captions[10], "-");
    EXPECT_EQ(captions[11], "About");

    Choose("VLC");
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0].file, "C:\\Program Files\\VideoLAN\\VLC\\vlc.exe");
    EXPECT_EQ(shell.executed[0].showCommand, 1);
}

TEST_F(TrayMenu, AllThreePlayersInTheirOrder) {
    registry32.Put("SOFTWARE\\CyberLink\\PowerDVD", "InstallPath", "C:\\P\\PowerDVD");
    registry32.Put("SOFTWARE\\InterVideo\\WinDVDi", "Path", "C:\\I\\WinDVDi\\");
    registry32.Put("SOFTWARE\\VideoLAN\\VLC", "InstallDir", "C:\\V\\VLC");
    Start(true);
    const std::vector<std::string> captions = Captions();
    ASSERT_EQ(captions.size(), 17u);
    EXPECT_EQ(std::vector<std::string>(captions.begin() + 9, captions.begin() + 13),
              (std::vector<std::string>{"Start PowerDVD", "Start WinDVD", "Start VLC", "-"}));
    Choose("PDVD");
    Choose("WinDVD");
    ASSERT_EQ(shell.executed.size(), 2u);
    EXPECT_EQ(shell.executed[0].file, "C:\\P\\PowerDVD\\PowerDVD.exe");
    EXPECT_EQ(shell.executed[1].file, "C:\\I\\WinDVDi\\WinDVD.exe");
}

TEST_F(TrayMenu, RightButtonOpensTheMenuWithItsDefaultAndLeftButtonDoesNot) {
    Start(true);
    shell.log.clear();
    Notify(0x201);
    Notify(0x202);
    EXPECT_EQ(script.menusShown, 0);
    Notify(0x204);
    EXPECT_EQ(script.menusShown, 1);
    EXPECT_EQ(script.shownDefault, 0);
    EXPECT_EQ(script.shown.at(0).caption, "Open Dravik");
    ASSERT_FALSE(shell.foreground.empty());
    EXPECT_EQ(shell.foreground.back(), 0x7A7u) << "the hidden window takes the foreground";
}

TEST_F(TrayMenu, OpenShowsTheWindowAndRemovesTheIconTrayItBringsItBack) {
    FrmMain& f = Start(true);
    Choose("open");
    EXPECT_TRUE(f.window.Visible());
    EXPECT_FALSE(f.m_frmSysTray);
    EXPECT_TRUE(shell.Icons().empty());
    f.BtnTray.Click();
    EXPECT_FALSE(f.window.Visible());
    EXPECT_EQ(shell.Icons().size(), 1u);
}

TEST_F(TrayMenu, DoubleClickTogglesThePresetsWithTheWindowHiddenAndTheTipFollowing) {
    FrmMain& f = Start(true);
    Notify(0x203);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1})) << "to the movie preset";
    EXPECT_FALSE(f.window.Visible());
    EXPECT_EQ(shell.Icons().size(), 1u);
    EXPECT_EQ(Tip(), std::string(kLabel800) + " - Doubleclick to change resolution");
    Notify(0x203);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1, 2})) << "and back";
    EXPECT_FALSE(f.window.Visible());
    EXPECT_EQ(Tip(), (std::string(kLabel1024) + " - Doubleclick to change resolution").substr(0, 63));
    EXPECT_EQ(shell.Icons().size(), 1u) << "one icon, rebuilt each time";
}

TEST_F(TrayMenu, MovieCommandUpdatesTheTipEvenWhenTheModeIsAlreadyInEffect) {
    display.SetCurrent(Mode(800, 600, 8, 60));
    Start(true);
    const std::size_t before = shell.notifications.size();
    Choose("movie");
    EXPECT_TRUE(display.Switches().empty());
    ASSERT_EQ(shell.notifications.size(), before + 1);
    EXPECT_EQ(shell.notifications.back().message, platform::kNimModify);
    EXPECT_EQ(Tip(), std::string(kLabel800) + " - Doubleclick to change resolution");
}

TEST_F(TrayMenu, MonitorCommandSwitchesAndUpdatesTheTip) {
    Start(true);
    Choose("movie");
    EXPECT_EQ(Tip(), std::string(kLabel800) + " - Doubleclick to change resolution");
    Choose("monitor");
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(Tip(), (std::string(kLabel1024) + " - Doubleclick to change resolution").substr(0, 63));
}

TEST_F(TrayMenu, ExitStoresTheSettingsRemovesTheIconAndEndsOnce) {
    constexpr const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    registry.Put(kRun, "Other Program", "C:\\other.exe");  // the Run key exists on Windows
    FrmMain& f = Start(true);
    // Every stored value differs from what was there before the exit.
    f.ChkTraystart.SetValue(0);
    f.ChkTraySysStart.SetValue(1);
    registry.Put(kOptions, "BtnMovie", "changed");
    Choose("close");
    EXPECT_EQ(host.ended, 1);
    EXPECT_FALSE(f.m_frmSysTray);
    EXPECT_TRUE(shell.Icons().empty());
    EXPECT_EQ(registry.Get(kOptions, "Start in SysTray")->bytes, "0");
    EXPECT_EQ(registry.Get(kOptions, "BtnMovie")->bytes, kLabel800);
    ASSERT_TRUE(registry.Get(kRun, "Morv Dravik"));
    EXPECT_EQ(registry.Get(kRun, "Morv Dravik")->bytes, "\"C:\\Program Files\\Dravik\\Dravik.exe\"");
    EXPECT_TRUE(f.Ended()) << "the host runs no unload handler after this";
    const int writes = registry.Writes();
    f.Form_EndSession();
    EXPECT_EQ(registry.Writes(), writes) << "a session end after Exit stores nothing";
}

TEST_F(TrayMenu, RestoreSaveDonateAndScreenSettingsCommands) {
    FrmMain& f = Start(true);
    icons.events.clear();
    Choose("restore");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Sorry, nothing to restore");
    Choose("save");
    EXPECT_EQ(icons.events, (std::vector<std::string>{"save"}));
    Choose("screensettings");
    // The system folder's rundll32.exe, never one found beside the program.
    EXPECT_EQ(system.started.back(),
              "C:\\WINDOWS\\system32\\rundll32.exe shell32.dll, Control_RunDLL desk.cpl, ,3");
    Choose("donate");
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0].showCommand, 3);
    EXPECT_EQ(shell.executed[0].file.rfind("https://", 0), 0u);
    EXPECT_FALSE(f.About()) << "donate opens the page without the about window";
}

TEST_F(TrayMenu, KeysAreExactAndCaseSensitive) {
    FrmMain& f = Start(true);
    f.m_frmSysTray_MenuClick(0, "Open");
    f.m_frmSysTray_MenuClick(0, "close ");
    f.m_frmSysTray_MenuClick(0, "");
    EXPECT_FALSE(f.window.Visible());
    EXPECT_EQ(host.ended, 0);
    EXPECT_EQ(shell.Icons().size(), 1u);
}

TEST_F(TrayMenu, SessionEndStoresOnceAndRemovesTheIconInTrayMode) {
    FrmMain& f = Start(true);
    f.ChkTraystart.SetValue(0);
    const int before = registry.Writes();
    f.Form_EndSession();
    EXPECT_TRUE(shell.Icons().empty());
    EXPECT_EQ(registry.Get(kOptions, "Start in SysTray")->bytes, "0");
    const int afterFirst = registry.Writes();
    EXPECT_GT(afterFirst, before);
    f.Form_EndSession();
    EXPECT_EQ(registry.Writes(), afterFirst);
    EXPECT_TRUE(f.Ended());
}

TEST_F(TrayMenu, SessionEndStoresInWindowModeToo) {
    FrmMain& f = Start(false);
    f.ChkTraystart.SetValue(1);
    f.Form_EndSession();
    EXPECT_EQ(registry.Get(kOptions, "Start in SysTray")->bytes, "1");
    EXPECT_TRUE(shell.notifications.empty());
}

// --- the about window ---

TEST_F(TrayMenu, AboutFromTheMakerLabelDisablesAndHidesTheMainWindowOkBringsItBack) {
    system.version = {3, 1, 1};
    FrmMain& f = Start(false);
    ui.calls.clear();
    f.LblMorv.Click();
    launch::FrmAbout* about = f.About();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->window.Visible());
    EXPECT_TRUE(about->bMain);
    EXPECT_FALSE(f.window.Visible());
    EXPECT_FALSE(f.window.Enabled());
    EXPECT_EQ(about->LbVersion.Caption(), "Version 3.1.1");
    EXPECT_TRUE(about->XPFAbout.Visible());
    EXPECT_FALSE(about->XPFAbout256.Visible());
    ASSERT_FALSE(ui.calls.empty());
    EXPECT_EQ(ui.calls[0].kind, platform::memory::MemoryUi::Call::TopMost);

    about->CmdOk.Click();
    EXPECT_EQ(f.About(), nullptr);
    EXPECT_TRUE(f.window.Visible());
    EXPECT_TRUE(f.window.Enabled());
    EXPECT_TRUE(shell.notifications.empty()) << "no tray icon";
}

TEST_F(TrayMenu, DonateFromTheMakerLabelGoesToTheTray) {
    FrmMain& f = Start(false);
    f.LblMorv.Click();
    f.About()->CmdDonate.Click();
    EXPECT_EQ(f.About(), nullptr);
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0].showCommand, 3);
    EXPECT_EQ(shell.Icons().size(), 1u);
    EXPECT_FALSE(f.window.Visible());
    EXPECT_TRUE(f.window.Enabled());
}

TEST_F(TrayMenu, AboutFromTheTrayLeavesTheProgramInTheTray) {
    FrmMain& f = Start(true);
    Choose("about");
    ASSERT_NE(f.About(), nullptr);
    EXPECT_FALSE(f.About()->bMain);
    f.About()->CmdUrl.Click();
    EXPECT_EQ(f.About(), nullptr);
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0].file.rfind("http://", 0), 0u);
    EXPECT_FALSE(f.window.Visible());
    EXPECT_TRUE(f.window.Enabled());
    EXPECT_EQ(shell.Icons().size(), 1u) << "the icon remains, and no second one";
    EXPECT_EQ(std::count(shell.log.begin(), shell.log.end(), "add"), 1);

    Choose("about");
    f.About()->CmdOk.Click();
    EXPECT_FALSE(f.window.Visible());
    EXPECT_EQ(shell.Icons().size(), 1u);
}

TEST_F(TrayMenu, OpenWhileTheAboutWindowIsOpenClosesIt) {
    FrmMain& f = Start(true);
    Choose("about");
    Choose("open");
    EXPECT_EQ(f.About(), nullptr);
    EXPECT_TRUE(f.window.Visible());
    EXPECT_TRUE(f.window.Enabled());
    EXPECT_TRUE(shell.Icons().empty());
}

TEST_F(TrayMenu, AboutUsesThe256ColourFrameOnA256ColourDisplay) {
    display.SetCurrent(Mode(800, 600, 8, 60));
    FrmMain& f = Start(true);
    Choose("about");
    EXPECT_FALSE(f.About()->XPFAbout.Visible());
    EXPECT_TRUE(f.About()->XPFAbout256.Visible());
}

}  // namespace

// A notification area that refuses the icon (none yet at log-on, or one that is full) would
// leave a hidden window nobody can reach: the window stays up, the setting stays as stored,
// and the window goes into the notification area once a new one takes the icon.
namespace {

TEST_F(TrayMenu, ANotificationAreaThatRefusesTheIconLeavesTheWindowUpUntilOneTakesIt) {
    shell.refuseIcons = true;
    FrmMain& f = Start(true);
    EXPECT_TRUE(f.window.Visible()) << "start in the tray without an icon";
    EXPECT_EQ(f.ChkTraystart.Value(), 1) << "the setting is kept";
    ASSERT_TRUE(f.m_frmSysTray);
    EXPECT_FALSE(f.m_frmSysTray->IconShown());
    EXPECT_TRUE(shell.Icons().empty());

    // The area is created anew ("TaskbarCreated") and takes the icon this time.
    shell.refuseIcons = false;
    std::shared_ptr<tray::frmSysTray> keep = f.m_frmSysTray;
    keep->ShellRestarted();
    EXPECT_TRUE(f.m_frmSysTray->IconShown());
    EXPECT_EQ(shell.Icons().size(), 1u);
    EXPECT_FALSE(f.window.Visible());
    EXPECT_EQ(Tip().substr(0, 30), kLabel1024);

    // The area goes and comes back: the icon is added again, the window stays hidden.
    keep->ShellRestarted();
    EXPECT_FALSE(f.window.Visible());
    Choose("open");
    EXPECT_TRUE(f.window.Visible());
    EXPECT_TRUE(shell.Icons().empty());
}

TEST_F(TrayMenu, TrayItWithARefusedIconKeepsTheWindowAndAWindowShownSinceStaysShown) {
    FrmMain& f = Start(false);
    shell.refuseIcons = true;
    f.BtnTray.Click();
    EXPECT_TRUE(f.window.Visible());
    EXPECT_TRUE(shell.Icons().empty());
    // Shown again by the user's "Tray it!" a second time, still refused: still up.
    f.CmdTray.Click();
    EXPECT_TRUE(f.window.Visible());
    // The user leaves through the window's close control: the settings are stored as always.
    f.ChkTraystart.SetValue(1);
    f.Form_Unload();
    EXPECT_EQ(registry.Get(kOptions, "Start in SysTray")->bytes, "1");
}

}  // namespace
