// Details of the main window's host, fed message sequences as the user's actions and the
// system's notifications produce them: double clicks, the frame's tool tip and its drawing,
// the maker label beneath the frame, system colour changes, and the order in which the skinned
// controls are loaded and first drawn.
#include "host_fixture.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/control_ids.h"

namespace {

namespace ids = app::ids;
using host_test::MainWindowHost;
using platform::memory::Mode;

using Log = std::vector<std::string>;

// --- double clicks ---

// A double click delivers press, release, double click, release: the settings open once.
TEST_F(MainWindowHost, SmallButtonDoubleClickClicksOnce) {
    display.SetCurrent(Mode(800, 600, 8, 60));  // the 256-colour look shows the small buttons
    Start();
    HWND small = Child(ids::kCmdSettings);
    ASSERT_TRUE(IsWindowVisible(small));
    Log events;
    controls::xpcmdbutton& button = form->CmdSettings;
    button.onMouseDown = [&](int b, int, float, float) { events.push_back("MouseDown " + std::to_string(b)); };
    button.onMouseUp = [&](int b, int, float, float) { events.push_back("MouseUp " + std::to_string(b)); };
    const auto click = button.onClick;
    button.onClick = [&] {
        events.push_back("Click");
        click();
    };

    const LPARAM at = MAKELPARAM(20, 20);
    SendMessageA(small, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(small, WM_LBUTTONUP, 0, at);
    SendMessageA(small, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    EXPECT_EQ(button.PaintedCell(), controls::xpcmdbutton::kCellPressed) << "the second press shows";
    EXPECT_EQ(GetCapture(), small) << "the release of the second press must come back here";
    SendMessageA(small, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(GetCapture(), nullptr);

    EXPECT_EQ(events, (Log{"MouseDown 1", "MouseUp 1", "Click", "MouseUp 1"}));
    EXPECT_EQ(system.started.size(), 1u) << "the display settings must start once";
}

TEST_F(MainWindowHost, BigButtonDoubleClickClicksOnce) {
    Start();
    HWND big = Child(ids::kBtnSettings);
    ASSERT_TRUE(IsWindowVisible(big));
    Log events;
    form->BtnSettings.onEvent = [&](controls::ButtonEvent& e) {
        switch (e.id) {
        case controls::ButtonEventId::MouseDown: events.push_back("MouseDown " + std::to_string(e.button)); break;
        case controls::ButtonEventId::MouseUp: events.push_back("MouseUp " + std::to_string(e.button)); break;
        case controls::ButtonEventId::Click: events.push_back("Click"); break;
        default: break;
        }
    };
    const LPARAM at = MAKELPARAM(20, 20);
    SendMessageA(big, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(big, WM_LBUTTONUP, 0, at);
    SendMessageA(big, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(big, WM_LBUTTONUP, 0, at);
    // The second press is reported as a press at (0, 0), as the button's double click does.
    EXPECT_EQ(events, (Log{"MouseDown 1", "MouseUp 1", "Click", "MouseDown 1", "MouseUp 1"}));
    EXPECT_EQ(system.started.size(), 1u);
}

// A right double click on a small button is a press like any other: no click, and its release
// still comes back to the button.
TEST_F(MainWindowHost, SmallButtonRightDoubleClickDoesNotClick) {
    display.SetCurrent(Mode(800, 600, 8, 60));
    Start();
    HWND small = Child(ids::kCmdSettings);
    const LPARAM at = MAKELPARAM(20, 20);
    SendMessageA(small, WM_RBUTTONDOWN, MK_RBUTTON, at);
    SendMessageA(small, WM_RBUTTONUP, 0, at);
    SendMessageA(small, WM_RBUTTONDBLCLK, MK_RBUTTON, at);
    EXPECT_EQ(GetCapture(), small);
    SendMessageA(small, WM_RBUTTONUP, 0, at);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(system.started.empty());
}

}  // namespace
