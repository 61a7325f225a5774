// The main window's icon buttons and switches reaching the real icon layouts, over the
// in-memory desktop and files.
#include "host_fixture.h"

#include "app/command_line.h"
#include "app/control_ids.h"

namespace {

namespace ids = app::ids;
using platform::Point;

constexpr const char* kLayout1024 = "C:\\Program Files\\Dravik\\Iconset\\ 1024- 768";
constexpr const char* kLayout1280 = "C:\\Program Files\\Dravik\\Iconset\\ 1280- 1024";

class IconsHost : public host_test::MainWindowHost {
protected:
    void Press(int id) {
        SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Child(id)));
        host_test::Pump();
    }
    std::string File(const char* path) { return system.Contents(path).value_or("<none>"); }

    icons::IconMem layouts{platform, desktop};
};

TEST_F(IconsHost, StartUpSavesAndTheButtonsSaveAndRestore) {
    desktop.AddShellDesktop({{10, 20}, {-10, 5}});
    Start(&layouts);
    EXPECT_EQ(File(kLayout1024), " 1310730 \r\n 327670 \r\n");

    desktop.items = {{400, 10}, {500, 10}};
    Press(ids::kCmdIconRest);
    EXPECT_EQ(desktop.items, (std::vector<Point>{{10, 20}, {-10, 5}}));
    EXPECT_TRUE(ui.messages.empty());

    desktop.items = {{1, 2}, {3, 4}};
    Press(ids::kCmdIconSave);
    EXPECT_EQ(File(kLayout1024), " 131073 \r\n 262147 \r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(IconsHost, RestoreWithoutALayoutSaysSoAndMovesNothing) {
    Start(&layouts);  // no desktop: the start-up save writes nothing
    ASSERT_FALSE(system.FileExists(kLayout1024));
    desktop.AddShellDesktop({{7, 7}});
    desktop.calls.clear();
    Press(ids::kCmdIconRest);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Sorry, nothing to restore");
    EXPECT_EQ(ui.messages[0].title, "Dravik");
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(IconsHost, ASwitchSavesANewSizeAndRestoresAKnownOne) {
    desktop.AddShellDesktop({{10, 20}});
    Start(&layouts);
    // The movie preset: 1280 x 1024, which has no layout yet.
    SendMessageA(Child(ids::kCmbMovie), CB_SETCURSEL, 3, 0);
    SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(ids::kCmbMovie, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Child(ids::kCmbMovie)));
    desktop.items = {{30, 40}};  // the shell piled the icons for the new size
    Press(ids::kBtnMovie);
    EXPECT_EQ(File(kLayout1280), " 2621470 \r\n");
    EXPECT_EQ(desktop.Count("SendMessageA #3 LVM_SETITEMPOSITION"), 0);

    Press(ids::kBtnMon);  // back to 1024 x 768, which has one
    EXPECT_EQ(desktop.items, (std::vector<Point>{{10, 20}}));
    EXPECT_EQ(File(kLayout1280), " 2621470 \r\n");
}

}  // namespace

namespace {

// Whether the window or any of its children still waits to be drawn.
bool SomethingUndrawn(HWND window) {
    RECT r;
    if (GetUpdateRect(window, &r, FALSE)) return true;
    bool undrawn = false;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM out) -> BOOL {
            RECT rc;
            if (IsWindowVisible(child) && GetUpdateRect(child, &rc, FALSE)) *reinterpret_cast<bool*>(out) = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&undrawn));
    return undrawn;
}

TEST_F(IconsHost, TheStartUpSaveRunsOnceTheWindowIsDrawn) {
    desktop.AddShellDesktop({{10, 20}});
    int saves = 0;
    bool drawnAtSave = false;
    desktop.onCall = [&](const std::string& call) {
        if (call != "FindWindowA Progman") return;
        ++saves;
        drawnAtSave = IsWindowVisible(window->Handle()) && !SomethingUndrawn(window->Handle());
    };
    saveStartUpAtOnce = false;
    Start(&layouts);
    // The window's timer, which comes once nothing else waits in the queue.
    for (int i = 0; i < 200 && saves == 0; ++i) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        host_test::Pump();
    }
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(drawnAtSave);
    EXPECT_EQ(File(kLayout1024), " 1310730 \r\n");
}

// A command line's WM_COPYDATA can arrive while a restore waits on the shell (a thread waiting
// in a sent message handles messages sent to it): it is told to ask again, not run inside.
TEST_F(IconsHost, ACommandDuringARestoreIsToldToAskAgain) {
    desktop.AddShellDesktop({{10, 20}});
    Start(&layouts);
    LRESULT answer = 0;
    desktop.onCall = [&](const std::string& call) {
        if (answer != 0 || call.find("LVM_SETITEMPOSITION") == std::string::npos) return;
        const std::string payload = app::EncodeCommand({app::Verb::Toggle, {}});
        COPYDATASTRUCT data{app::kCommandTag, static_cast<DWORD>(payload.size()),
                            const_cast<char*>(payload.data())};
        answer = SendMessageA(window->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    };
    Press(ids::kCmdIconRest);
    EXPECT_EQ(answer, app::kReplyNotReady);
    EXPECT_TRUE(display.Switches().empty()) << "nothing switched inside the restore";
}

}  // namespace
