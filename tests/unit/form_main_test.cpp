#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "modes/mode_label.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_display.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system.h"
#include "tests/recording_icons.h"
#include "tests/test_window_host.h"
#include "tests/registry_keys.h"

using app::FrmMain;
using platform::memory::MemoryDisplay;
using platform::memory::MemoryRegistry;
using platform::memory::MemorySystem;
using platform::memory::MemoryUi;
using platform::memory::Mode;

namespace {

using testing_support::kOptions;
using testing_support::kRun;
constexpr platform::WindowHandle kHwnd = 0x4242;

using testing_support::RecordingIcons;

class MainWindow : public ::testing::Test {
protected:
    MainWindow() {
        display.SetCurrent(Mode(1024, 768, 32, 60));
        registry.Put(kRun, "Other Program", "C:\\other.exe");  // the Run key exists on Windows
    }

    FrmMain& Start() {
        form = std::make_unique<FrmMain>(platform, icons);
        form->window.SetSize(495, 347);
        form->SetHost(host);
        if (beforeLoad) beforeLoad(*form);
        result = form->Form_Load();
        if (result == FrmMain::LoadResult::Loaded && saveAtStartUp) form->SaveStartUpLayout();
        return *form;
    }

    // Writes into the icon layouts' record, so that one list shows the order of both.
    void RecordListFilling(FrmMain& f) {
        for (controls::ControlModel* list : {static_cast<controls::ControlModel*>(&f.CmbRes),
                                             static_cast<controls::ControlModel*>(&f.CmbMovie)})
            list->SetObserver([this](controls::ControlModel& m, controls::Change change) {
                if (change == controls::Change::Items) icons.events.push_back("item " + std::to_string(m.Id()));
            });
    }
    void RecordLookChanges(FrmMain& f) {
        f.MorvXPF1.SetObserver([this](controls::ControlModel& m, controls::Change change) {
            if (change == controls::Change::Visible)
                icons.events.push_back(m.Visible() ? "256-colour look" : "full-colour look");
        });
    }

    std::string Stored(const char* path, const char* name) {
        const auto v = registry.Get(path, name);
        return v ? v->bytes : "<absent>";
    }

    MemoryDisplay display{{
        Mode(640, 480, 8, 60),     // 0
        Mode(800, 600, 8, 60),     // 1
        Mode(1024, 768, 32, 60),   // 2
        Mode(1024, 768, 16, 75),   // 3
        Mode(1280, 1024, 32, 60),  // 4
        Mode(1024, 768, 32, 60),   // 5: an exact duplicate of 2
        Mode(800, 600, 24, 60),    // 6
    }};
    MemoryRegistry registry;
    MemorySystem system;
    MemoryUi ui;
    platform::memory::MemoryShell shell;
    platform::memory::MemoryRegistry registry32;
    platform::Platform platform{display, registry, system, ui, shell, registry32};
    platform::memory::MemoryDesktop desktop;
    RecordingIcons icons{platform, desktop};
    testing_support::TestWindowHost host{kHwnd};
    std::unique_ptr<FrmMain> form;
    std::function<void(FrmMain&)> beforeLoad;  // runs between construction and Form_Load
    bool saveAtStartUp = true;  // the host saves the start-up layout once its window is up
    FrmMain::LoadResult result{};
};

}  // namespace

TEST_F(MainWindow, SecondInstanceShowsMessageAndTouchesNothing) {
    system.otherInstance = true;
    Start();
    EXPECT_EQ(result, FrmMain::LoadResult::AlreadyRunning);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Morv Dravik is already running");
    EXPECT_EQ(ui.messages[0].title, "Dravik");
    EXPECT_EQ(registry.Writes(), 0);
    EXPECT_FALSE(registry.KeyExists(kOptions));
    EXPECT_TRUE(display.Switches().empty());
    EXPECT_TRUE(icons.events.empty());
    EXPECT_TRUE(system.foldersCreated.empty());
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(form->CmbRes.ListCount(), 0);
}

TEST_F(MainWindow, FirstStartFillsListsInPlatformOrderAndSelectsPresets) {
    FrmMain& f = Start();
    EXPECT_EQ(result, FrmMain::LoadResult::Loaded);
    EXPECT_TRUE(ui.messages.empty());

    const std::vector<std::string> expected = {
        " 640 x 480 @ 60Hz 256 colors",   " 800 x 600 @ 60Hz 256 colors",
        " 1024 x 768 @ 60Hz 32bit colors", " 1024 x 768 @ 75Hz 16bit colors",
        " 1280 x 1024 @ 60Hz 32bit colors", " 1024 x 768 @ 60Hz 32bit colors",
        " 800 x 600 @ 60Hz"};
    EXPECT_EQ(f.CmbRes.Items(), expected);
    EXPECT_EQ(f.CmbMovie.Items(), expected);

    EXPECT_EQ(f.CmbRes.ListIndex(), 5);  // the last of two matches wins
    EXPECT_EQ(f.BtnMon.Caption(), "1024 x 768 @ 60Hz 32bit colors");
    EXPECT_EQ(f.CmdMon.Caption(), f.BtnMon.Caption());
    EXPECT_TRUE(f.BtnMon.Enabled());

    EXPECT_EQ(f.MovieSetting, 1);  // the stored default "800 x 600 @ 60Hz 256 colors"
    EXPECT_EQ(f.CmbMovie.ListIndex(), 1);
    EXPECT_EQ(f.BtnMovie.Caption(), "800 x 600 @ 60Hz 256 colors");
    EXPECT_EQ(f.CmdMovie.Caption(), f.BtnMovie.Caption());

    EXPECT_EQ(Stored(kOptions, "Start in SysTray"), "0");
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "800 x 600 @ 60Hz 256 colors");
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), "<absent>");
    EXPECT_EQ(f.ChkTraystart.Value(), 0);
    EXPECT_EQ(f.ChkTraySysStart.Value(), 0);
    EXPECT_TRUE(f.window.Visible());
    EXPECT_TRUE(display.Switches().empty());

    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0].kind, MemoryUi::Call::TopMost);
    EXPECT_EQ(ui.calls[0].window, kHwnd);
}

TEST_F(MainWindow, StartUpCreatesIconFolderOnceAndSavesTheLayoutOnceTheWindowIsUp) {
    beforeLoad = [this](FrmMain& f) { RecordListFilling(f); };
    saveAtStartUp = false;
    FrmMain& f = Start();
    EXPECT_EQ(system.foldersCreated, std::vector<std::string>{"C:\\Program Files\\Dravik\\Iconset\\"});
    EXPECT_TRUE(system.FolderExists("C:\\Program Files\\Dravik\\Iconset"));
    // The seven modes into both lists; the layout waits for the host's window, so that a
    // shell that does not answer cannot keep the window from showing.
    ASSERT_EQ(icons.events.size(), 2u * 7);
    EXPECT_EQ(icons.events[0], "item " + std::to_string(f.CmbRes.Id()));
    f.SaveStartUpLayout();
    f.SaveStartUpLayout();
    EXPECT_EQ(std::count(icons.events.begin(), icons.events.end(), "save"), 1);
    EXPECT_EQ(icons.events.back(), "save");

    // A second run finds the folder and leaves it alone.
    system.foldersCreated.clear();
    form.reset();
    Start();
    EXPECT_TRUE(system.foldersCreated.empty());
}

// A switch before the host got to the start-up save runs that save first, at the size of the
// start, as it would have run then.
TEST_F(MainWindow, ASwitchBeforeTheStartUpSaveRunsItFirst) {
    saveAtStartUp = false;
    FrmMain& f = Start();
    RecordLookChanges(f);
    icons.events.clear();
    f.CmbMovie.SetListIndex(1);  // 800 x 600, 8 bits per pixel
    f.BtnMovie.Click();
    EXPECT_EQ(icons.events, (std::vector<std::string>{"save", "256-colour look", "save"}));
    f.SaveStartUpLayout();
    EXPECT_EQ(icons.events.size(), 3u);
}

// The shell and the display answer through messages sent to the window's thread, so a click,
// a tray command or a command line can arrive while a switch, save or restore waits on them.
// None runs inside it: the click and the tray command wait their turn, the command line is
// told to ask again.
TEST_F(MainWindow, WhatArrivesDuringARestoreWaitsItsTurn) {
    FrmMain& f = Start();
    f.CmbMovie.SetListIndex(1);  // 800 x 600, 8 bits per pixel, with a layout
    system.files.insert("C:\\Program Files\\Dravik\\Iconset\\ 800- 600");
    icons.events.clear();
    std::vector<std::string> seen;
    icons.during = [&](const std::string& event) {
        if (event != "restore" || !seen.empty()) return;
        std::string output;
        seen.push_back(f.RunCommand({app::Verb::Toggle, {}}, output) ? "command ran" : "ask again");
        f.BtnMon_Click();
        f.CmdIconSave_Click();
        seen.push_back(f.GetStringNow());
        EXPECT_TRUE(f.Busy());
    };
    f.BtnMovie_Click();
    EXPECT_EQ(seen, (std::vector<std::string>{"ask again", "800 x 600 @ 60Hz 256 colors"}));
    // Then, in their order: back to the monitor preset (no layout there yet: saved), the save.
    EXPECT_EQ(icons.events, (std::vector<std::string>{"restore", "save", "save"}));
    EXPECT_EQ(f.GetStringNow(), "1024 x 768 @ 60Hz 32bit colors");
    EXPECT_FALSE(f.Busy());
    std::string output;
    EXPECT_EQ(f.RunCommand({app::Verb::Toggle, {}}, output), app::kExitDone);
}

TEST_F(MainWindow, StoredMoviePresetIsFoundAgain) {
    registry.Put(kOptions, "BtnMovie", "1024 x 768 @ 75Hz 16bit colors");
    FrmMain& f = Start();
    EXPECT_EQ(f.MovieSetting, 3);
    EXPECT_EQ(f.BtnMovie.Caption(), "1024 x 768 @ 75Hz 16bit colors");
}

TEST_F(MainWindow, UnknownMoviePresetFallsBackToTheFirstEntry) {
    registry.Put(kOptions, "BtnMovie", "1600 x 1200 @ 85Hz 32bit colors");
    FrmMain& f = Start();
    EXPECT_EQ(f.MovieSetting, 0);
    EXPECT_EQ(f.BtnMovie.Caption(), "640 x 480 @ 60Hz 256 colors");
    EXPECT_EQ(f.CmdMovie.Caption(), "640 x 480 @ 60Hz 256 colors");
}

TEST_F(MainWindow, ModeInEffectNotListedIsReported) {
    display.SetCurrent(Mode(1152, 864, 32, 70));
    FrmMain& f = Start();
    EXPECT_EQ(f.CmbRes.ListIndex(), -1);
    EXPECT_EQ(f.BtnMon.Caption(), "Invalid Resolution");
    EXPECT_EQ(f.CmdMon.Caption(), "Invalid Resolution");
    EXPECT_FALSE(f.BtnMon.Enabled());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Dravik");
    EXPECT_EQ(ui.messages[0].text,
              "Your present resolution (1152 x 864 @ 70Hz 32bit colors) is not listed as valid by "
              "your video card. You will have to change back to this resolution manually if you "
              "change it with Dravik. This might be solved by upgrading your video driver. If not, "
              "Dravik will unfortunatly not be of much use for You. That is, if you wouldn't want to "
              "use another resolution as default.");

    // A pick in the monitor list ends the invalid state.
    f.CmbRes.SetListIndex(4);
    EXPECT_TRUE(f.BtnMon.Enabled());
    EXPECT_EQ(f.BtnMon.Caption(), "1280 x 1024 @ 60Hz 32bit colors");
    EXPECT_EQ(f.CmdMon.Caption(), "1280 x 1024 @ 60Hz 32bit colors");
}

TEST_F(MainWindow, NoModesAtAllStillStarts) {
    display = MemoryDisplay{};
    display.SetCurrent(Mode(800, 600, 32, 60));
    registry.Put(kOptions, "BtnMovie", "1024 x 768 @ 75Hz 16bit colors");
    FrmMain& f = Start();
    EXPECT_EQ(result, FrmMain::LoadResult::Loaded);
    EXPECT_EQ(f.CmbRes.ListCount(), 0);
    EXPECT_EQ(f.CmbMovie.ListIndex(), -1);
    EXPECT_EQ(f.BtnMovie.Caption(), "1024 x 768 @ 75Hz 16bit colors");
    EXPECT_EQ(f.BtnMon.Caption(), "Invalid Resolution");
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(MainWindow, CheckBoxesLoadFromTheSettings) {
    registry.Put(kOptions, "Start in SysTray", "1");
    registry.Put(kRun, "Morv Dravik", "E:\\Elsewhere\\Dravik.exe");
    FrmMain& f = Start();
    EXPECT_EQ(f.ChkTraystart.Value(), 1);
    EXPECT_EQ(f.ChkTraySysStart.Value(), 1);
    EXPECT_FALSE(f.window.Visible());  // started hidden, for the notification area
}

TEST_F(MainWindow, StartInTrayTextsThatAreNotOneShowTheWindow) {
    for (const char* text : {"0", "", "2", "one", " "}) {
        registry.Put(kOptions, "Start in SysTray", text);
        form.reset();
        FrmMain& f = Start();
        EXPECT_EQ(f.ChkTraystart.Value(), 0) << text;
        EXPECT_TRUE(f.window.Visible()) << text;
    }
}

TEST_F(MainWindow, UnloadStoresCheckBoxesAndMovieCaption) {
    registry.Put(kRun, "Morv Dravik", "D:\\Other\\Program.exe");
    FrmMain& f = Start();
    f.CmbMovie.SetListIndex(4);
    f.ChkTraystart.SetValue(1);
    f.Form_Unload();
    EXPECT_EQ(Stored(kOptions, "BtnMovie"), "1280 x 1024 @ 60Hz 32bit colors");
    EXPECT_EQ(Stored(kOptions, "Start in SysTray"), "1");
    // Still ticked: the other program's path is replaced by this copy's.
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), "\"C:\\Program Files\\Dravik\\Dravik.exe\"");

    f.ChkTraySysStart.SetValue(0);
    f.Form_Unload();
    EXPECT_EQ(Stored(kRun, "Morv Dravik"), "<absent>");
}

TEST_F(MainWindow, PresetAlreadyInEffectDoesNothing) {
    FrmMain& f = Start();
    icons.events.clear();
    f.BtnMon.Click();
    f.CmdMon.Click();
    EXPECT_TRUE(display.Switches().empty());
    EXPECT_TRUE(icons.events.empty());

    // Picking the entry of the mode in effect keeps the canonical caption.
    f.CmbRes.SetListIndex(2);
    f.BtnMon.Click();
    EXPECT_TRUE(display.Switches().empty());
}

TEST_F(MainWindow, MovieClickSwitchesThenSavesOrRestoresTheLayout) {
    FrmMain& f = Start();
    icons.events.clear();
    f.CmbMovie.SetListIndex(4);
    EXPECT_TRUE(display.Switches().empty());  // picking alone does not switch
    f.BtnMovie.Click();
    EXPECT_EQ(display.Switches(), std::vector<std::int32_t>{4});
    EXPECT_EQ(modes::CanonicalLabel(modes::FromDevMode(display.Current())),
              "1280 x 1024 @ 60Hz 32bit colors");
    EXPECT_EQ(icons.events, std::vector<std::string>{"save"});  // no layout for 1280 x 1024 yet
    // The window is centred on the new screen.
    EXPECT_EQ(f.window.Left(), (1280 - 495) / 2);
    EXPECT_EQ(f.window.Top(), (1024 - 347) / 2);

    // Back to the monitor preset, whose size has a layout file.
    system.files.insert("C:\\Program Files\\Dravik\\Iconset\\ 1024- 768");
    f.CmdMon.Click();
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{4, 5}));
    EXPECT_EQ(icons.events, (std::vector<std::string>{"save", "restore"}));
}

TEST_F(MainWindow, CmdMovieIsTheTwinOfBtnMovie) {
    FrmMain& f = Start();
    f.CmbMovie.SetListIndex(0);
    f.CmdMovie.Click();
    EXPECT_EQ(display.Switches(), std::vector<std::int32_t>{0});
}

TEST_F(MainWindow, RefusedSwitchStillRunsAfterCare) {
    FrmMain& f = Start();
    icons.events.clear();
    display.RefuseSwitches(true);
    f.CmbMovie.SetListIndex(4);
    f.BtnMovie.Click();
    EXPECT_EQ(display.Switches().size(), 1u);
    EXPECT_EQ(icons.events, std::vector<std::string>{"save"});
    EXPECT_EQ(f.BtnMovie.Caption(), "1280 x 1024 @ 60Hz 32bit colors");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindow, PresetWithoutDepthWordIsAlwaysReapplied) {
    FrmMain& f = Start();
    f.CmbMovie.SetListIndex(6);
    EXPECT_EQ(f.BtnMovie.Caption(), "800 x 600 @ 60Hz");
    f.BtnMovie.Click();
    f.BtnMovie.Click();
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{6, 6}));
}

// A host may make the windows of the other look only when they are shown: the form's answer
// to which controls a look shows must be what SelectByBPP shows.
static void ExpectLookShowsWhatIsVisible(FrmMain& f) {
    const bool full = f.FullColourNow();
    EXPECT_EQ(full, f.bBPP256 == 0);
    for (const controls::ControlModel* c : f.Controls())
        EXPECT_EQ(f.ShownInLook(*c, full), c->Visible()) << c->Id() << (full ? " full colour" : " 256");
}

TEST_F(MainWindow, AppearanceFollowsTheColourDepth) {
    FrmMain& f = Start();
    ExpectLookShowsWhatIsVisible(f);
    EXPECT_EQ(f.bBPP256, 0);
    EXPECT_TRUE(f.XPF1.Visible());
    EXPECT_FALSE(f.MorvXPF1.Visible());
    EXPECT_EQ(f.window.BackColor(), 0xE0E0E0u);

    f.CmbMovie.SetListIndex(1);  // 800 x 600, 8 bits per pixel
    f.BtnMovie.Click();
    ExpectLookShowsWhatIsVisible(f);
    EXPECT_EQ(f.bBPP256, -1);
    EXPECT_FALSE(f.XPF1.Visible());
    EXPECT_TRUE(f.MorvXPF1.Visible());
    EXPECT_EQ(f.window.BackColor(), 0xC0C0C0u);
    for (const controls::ControlModel* c :
         std::initializer_list<const controls::ControlModel*>{&f.Frame1, &f.Frame2, &f.Frame3,
                                                              &f.ChkTraystart, &f.ChkTraySysStart,
                                                              &f.LblMorv})
        EXPECT_EQ(c->BackColor(), 0xC0C0C0u) << c->Id();
    EXPECT_EQ(f.LblMorv.ForeColor(), 0xFFFF00u);
    for (const controls::ControlModel* big : std::initializer_list<const controls::ControlModel*>{
             &f.BtnMon, &f.BtnMovie, &f.BtnSettings, &f.BtnTray}) {
        EXPECT_FALSE(big->Visible()) << big->Id();
        EXPECT_FALSE(big->TabStop()) << big->Id();
    }
    for (const controls::ControlModel* small : std::initializer_list<const controls::ControlModel*>{
             &f.CmdMon, &f.CmdMovie, &f.CmdSettings, &f.CmdTray}) {
        EXPECT_TRUE(small->Visible()) << small->Id();
        EXPECT_TRUE(small->TabStop()) << small->Id();
    }
    EXPECT_EQ(f.window.Left(), (800 - 495) / 2);

    f.BtnMon.Click();
    EXPECT_EQ(f.bBPP256, 0);
    EXPECT_TRUE(f.BtnMon.Visible());
    EXPECT_FALSE(f.CmdMon.Visible());
    EXPECT_FALSE(f.CmdTray.TabStop());
    EXPECT_EQ(f.LblMorv.ForeColor(), 0xFF8080u);
    EXPECT_EQ(f.window.BackColor(), 0xE0E0E0u);
}

// The layout step after a switch runs in the new appearance: the window is centred on the new
// screen and drawn for its colour depth before icons are saved or put back.
TEST_F(MainWindow, ASwitchReselectsTheAppearanceBeforeTheIconStep) {
    FrmMain& f = Start();
    RecordLookChanges(f);
    icons.events.clear();
    f.CmbMovie.SetListIndex(1);  // 800 x 600, 8 bits per pixel: no layout yet
    f.BtnMovie.Click();
    EXPECT_EQ(icons.events, (std::vector<std::string>{"256-colour look", "save"}));

    // Back by the double click, to a size that has a layout.
    system.files.insert("C:\\Program Files\\Dravik\\Iconset\\ 1024- 768");
    icons.events.clear();
    f.SysTrayDoubleClick();
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1, 5}));
    EXPECT_EQ(icons.events, (std::vector<std::string>{"full-colour look", "restore"}));
}

TEST_F(MainWindow, StartingOnAnEightBitDisplayPicksThe256ColourLook) {
    display.SetCurrent(Mode(800, 600, 8, 60));
    FrmMain& f = Start();
    EXPECT_EQ(f.bBPP256, -1);
    EXPECT_TRUE(f.CmdMovie.Visible());
    EXPECT_FALSE(f.BtnMovie.Visible());
}

TEST_F(MainWindow, SelectByBppRedrawsTheBigButtonsEvenWhenHidden) {
    display.SetCurrent(Mode(800, 600, 8, 60));
    FrmMain& f = Start();
    std::vector<int> redrawn;
    for (controls::ControlModel* c : f.Controls())
        c->SetObserver([&redrawn](controls::ControlModel& m, controls::Change change) {
            if (change == controls::Change::Redraw) redrawn.push_back(m.Id());
        });
    int windowRedraws = 0;
    f.window.SetObserver([&](app::FormWindow::FormChange c) {
        if (c == app::FormWindow::FormChange::Redraw) ++windowRedraws;
    });
    f.SelectByBPP();
    EXPECT_EQ(windowRedraws, 1);
    EXPECT_EQ(redrawn, (std::vector<int>{f.BtnMon.Id(), f.BtnMovie.Id(), f.BtnSettings.Id(),
                                         f.BtnTray.Id()}));
}

TEST_F(MainWindow, CentringUsesTheIntegerPartOfHalfTheDifference) {
    display.SetCurrent(Mode(801, 601, 32, 60));
    FrmMain& f = Start();  // not listed; the message is beside the point here
    EXPECT_EQ(f.window.Left(), 153);  // (801 - 495) / 2 = 153
    EXPECT_EQ(f.window.Top(), 127);   // (601 - 347) / 2 = 127
    display.SetCurrent(Mode(320, 200, 32, 60));
    f.SelectByBPP();
    EXPECT_EQ(f.window.Left(), -88);  // (320 - 495) / 2 = -87.5
    EXPECT_EQ(f.window.Top(), -74);   // (200 - 347) / 2 = -73.5
}

TEST_F(MainWindow, DoubleClickTogglesBetweenThePresets) {
    FrmMain& f = Start();
    f.CmbMovie.SetListIndex(4);
    icons.events.clear();
    f.SysTrayDoubleClick();  // from the monitor mode: to the movie preset
    EXPECT_EQ(display.Switches(), std::vector<std::int32_t>{4});
    EXPECT_EQ(icons.events, std::vector<std::string>{"save"});
    f.SysTrayDoubleClick();  // in the movie mode: back to the monitor preset
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{4, 5}));
    EXPECT_FALSE(f.window.Visible());  // it rebuilt the tray state: window hidden
}

TEST_F(MainWindow, DoubleClickNeverFindsAMoviePresetWithoutDepthWord) {
    FrmMain& f = Start();
    f.CmbMovie.SetListIndex(6);
    f.SysTrayDoubleClick();
    f.SysTrayDoubleClick();
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{6, 6}));
}

TEST_F(MainWindow, DoubleClickWithoutMonitorSelectionReappliesModeInEffect) {
    display.SetCurrent(Mode(1152, 864, 32, 70));
    FrmMain& f = Start();
    f.CmbMovie.SetListIndex(4);
    f.SysTrayDoubleClick();
    f.SysTrayDoubleClick();
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{4, -1}));
}

TEST_F(MainWindow, SettingsButtonsOpenDisplaySettingsFromTheSystemFolder) {
    FrmMain& f = Start();
    f.BtnSettings.Click();
    f.CmdSettings.Click();
    const std::string command =
        "C:\\WINDOWS\\system32\\rundll32.exe shell32.dll, Control_RunDLL desk.cpl, ,3";
    EXPECT_EQ(system.started, (std::vector<std::string>{command, command}));
}

TEST(DisplaySettings, RundllIsQuotedWhenItsFolderHasABlank) {
    EXPECT_EQ(app::DisplaySettingsCommandLine("D:\\My Windows\\system32"),
              "\"D:\\My Windows\\system32\\rundll32.exe\" shell32.dll, Control_RunDLL desk.cpl, ,3");
    EXPECT_EQ(app::DisplaySettingsCommandLine("C:\\WINNT\\System32"),
              "C:\\WINNT\\System32\\rundll32.exe shell32.dll, Control_RunDLL desk.cpl, ,3");
}

TEST_F(MainWindow, IconButtons) {
    FrmMain& f = Start();
    icons.events.clear();
    f.CmdIconRest.Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Sorry, nothing to restore");
    EXPECT_TRUE(icons.events.empty());

    f.CmdIconSave.Click();
    system.files.insert("C:\\Program Files\\Dravik\\Iconset\\ 1024- 768");
    f.CmdIconRest.Click();
    EXPECT_EQ(icons.events, (std::vector<std::string>{"save", "restore"}));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(MainWindow, TrayButtonsHideTheWindow) {
    FrmMain& f = Start();
    f.CmdTray.Click();
    EXPECT_FALSE(f.window.Visible());
}

TEST_F(MainWindow, PressOnTheWindowDragsIt) {
    FrmMain& f = Start();
    ui.calls.clear();
    f.Form_MouseDown();
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0].kind, MemoryUi::Call::Drag);
    EXPECT_EQ(ui.calls[0].window, kHwnd);
}

TEST_F(MainWindow, DisabledButtonIgnoresClicks) {
    display.SetCurrent(Mode(1152, 864, 32, 70));
    FrmMain& f = Start();
    f.BtnMon.Click();
    EXPECT_TRUE(display.Switches().empty());
}
