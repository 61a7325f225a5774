// Mouse, keyboard and focus handling of the push button, as sequences: each test feeds the calls a
// window's messages turn into and compares what the button did, in order: the events it raised,
// the drawings (state, and whether hover and focus were on when drawn), the timer, capture,
// focus moves and immediate updates it asked its host for.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "controls/button/pell_xp_button.h"
#include "test_host.h"

namespace {

using controls::ButtonEvent;
using controls::ButtonEventId;
using controls::PellXPButton;
using paint::Rect;
using testing_support::TestHost;
using Log = std::vector<std::string>;

std::string Num(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", static_cast<double>(v));
    return buf;
}

std::string Describe(const ButtonEvent& e) {
    const auto mouse = [&](const char* name) {
        return std::string(name) + " " + std::to_string(e.button) + " " + std::to_string(e.shift) +
               " " + Num(e.x) + " " + Num(e.y);
    };
    const auto key = [&](const char* name) {
        return std::string(name) + " " + std::to_string(e.key) + " " + std::to_string(e.shift);
    };
    switch (e.id) {
    case ButtonEventId::Click: return "Click";
    case ButtonEventId::MouseDown: return mouse("MouseDown");
    case ButtonEventId::MouseMove: return mouse("MouseMove");
    case ButtonEventId::MouseUp: return mouse("MouseUp");
    case ButtonEventId::KeyPress: return "KeyPress " + std::to_string(e.key);
    case ButtonEventId::KeyDown: return key("KeyDown");
    case ButtonEventId::KeyUp: return key("KeyUp");
    case ButtonEventId::MouseOver: return "MouseOver";
    case ButtonEventId::MouseOut: return "MOUSEOUT";
    }
    return "?";
}

// A shown 100 x 30 button of the program's look in a window at (300, 200) on the screen, the
// cursor far from it, with everything it does going to one log.
struct Fixture {
    TestHost host;
    PellXPButton button{1, "&Apply", "Verdana"};

    explicit Fixture(int buttonType = 3, int w = 100, int h = 30) {
        button.SetHost(&host);
        button.InitProperties();
        button.SetCaption("&Apply");
        if (buttonType != 3) button.SetButtonType(buttonType);
        host.width = w;
        host.height = h;
        button.Resize(w, h);
        button.Show();
        host.cursor = {0, 0};
        button.onEvent = [this](ButtonEvent& e) { host.log.push_back(Describe(e)); };
        button.onClick = [this] { host.log.push_back("onClick"); };
        host.onDrawn = [this] {
            std::string entry = "draw " + std::to_string(button.LastState());
            if (button.MouseIsOver()) entry += " hover";
            if (button.HasFocus()) entry += " focus";
            host.log.push_back(entry);
        };
        host.log.clear();
        host.changes.clear();
        host.drawings = 0;
    }

    // What happened since the last call.
    Log Take() {
        Log taken;
        taken.swap(host.log);
        return taken;
    }

    // The cursor moves to (x, y) of the client area with the given buttons held.
    void Move(int x, int y, std::int16_t buttons = 0) {
        host.MoveCursorTo(x, y);
        button.OnMouseMove(buttons, 0, static_cast<float>(x), static_cast<float>(y));
    }
    // The cursor moves to (x, y) of the client area, outside the window: only a window holding
    // the capture hears of it.
    void MoveCaptured(int x, int y, std::int16_t buttons) { Move(x, y, buttons); }
    void Leave() { host.MoveCursorTo(-50, -50); }
};

TEST(ButtonEvents, NumbersIdentifyingThemToTheHost) {
    EXPECT_EQ(static_cast<int>(ButtonEventId::Click), 1);
    EXPECT_EQ(static_cast<int>(ButtonEventId::MouseDown), 2);
    EXPECT_EQ(static_cast<int>(ButtonEventId::MouseMove), 3);
    EXPECT_EQ(static_cast<int>(ButtonEventId::MouseUp), 4);
    EXPECT_EQ(static_cast<int>(ButtonEventId::KeyPress), 5);
    EXPECT_EQ(static_cast<int>(ButtonEventId::KeyDown), 6);
    EXPECT_EQ(static_cast<int>(ButtonEventId::KeyUp), 7);
    EXPECT_EQ(static_cast<int>(ButtonEventId::MouseOver), 8);
    EXPECT_EQ(static_cast<int>(ButtonEventId::MouseOut), 9);
}

// --- hover ---

TEST(ButtonHover, FirstMoveInStartsTheTimerAndRaisesMouseOver) {
    Fixture f;
    EXPECT_FALSE(f.button.OverTimerEnabled());  // off when created
    f.Move(50, 15);
    EXPECT_EQ(f.Take(), (Log{"MouseMove 0 0 50 15", "timer 3", "draw 0 hover", "MouseOver"}));
    EXPECT_TRUE(f.button.MouseIsOver());
    EXPECT_TRUE(f.button.OverTimerEnabled());
    EXPECT_EQ(f.host.TimerInterval(), 3);
    f.Move(51, 16);  // already hovered: nothing drawn
    EXPECT_EQ(f.Take(), (Log{"MouseMove 0 0 51 16"}));
}

TEST(ButtonHover, TimerTickNoticesTheCursorHasLeft) {
    Fixture f;
    f.Move(50, 15);
    f.Take();
    f.button.OnTimer();  // still over
    EXPECT_EQ(f.Take(), Log{});
    f.Leave();
    f.button.OnTimer();
    EXPECT_EQ(f.Take(), (Log{"timer off", "draw 0", "MOUSEOUT"}));
    EXPECT_FALSE(f.button.MouseIsOver());
    EXPECT_FALSE(f.button.OverTimerEnabled());
    EXPECT_EQ(f.host.TimerInterval(), 0);
    f.button.OnTimer();  // a tick that was already on its way
    EXPECT_EQ(f.Take(), Log{});
}

TEST(ButtonHover, AWindowCoveringTheButtonEndsTheHover) {
    Fixture f;
    f.Move(50, 15);
    f.Take();
    f.host.coveringHwnd = 0x3030;  // the cursor has not moved
    f.button.OnTimer();
    EXPECT_EQ(f.Take(), (Log{"timer off", "draw 0", "MOUSEOUT"}));
}

TEST(ButtonHover, MovingStraightOntoTheNeighbouringButton) {
    Fixture a;
    Fixture b;
    b.host.hwnd = 0x1111;
    b.host.origin = {a.host.origin.x + 100, a.host.origin.y};  // right beside a
    a.Move(99, 10);
    EXPECT_EQ(a.Take(), (Log{"MouseMove 0 0 99 10", "timer 3", "draw 0 hover", "MouseOver"}));
    // One mouse move later the cursor is on b's first column.
    b.Move(0, 10);
    a.host.cursor = b.host.cursor;
    EXPECT_EQ(b.Take(), (Log{"MouseMove 0 0 0 10", "timer 3", "draw 0 hover", "MouseOver"}));
    EXPECT_EQ(a.Take(), Log{});  // a only finds out at its next tick
    a.button.OnTimer();
    b.button.OnTimer();
    EXPECT_EQ(a.Take(), (Log{"timer off", "draw 0", "MOUSEOUT"}));
    EXPECT_EQ(b.Take(), Log{});
}

TEST(ButtonHover, CutCornersAreNotOverTheButton) {
    for (const bool honourShape : {true, false}) {
        Fixture f;
        f.host.honourShape = honourShape;
        for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {99, 29}, {98, 29}, {99, 28},
                                  {99, 0}, {0, 29}}) {
            f.host.MoveCursorTo(x, y);
            EXPECT_FALSE(f.button.IsMouseOver()) << x << "," << y << " " << honourShape;
        }
        for (const auto& [x, y] : {std::pair{1, 1}, {2, 0}, {0, 2}, {98, 28}, {50, 15}}) {
            f.host.MoveCursorTo(x, y);
            EXPECT_TRUE(f.button.IsMouseOver()) << x << "," << y << " " << honourShape;
        }
        f.Move(0, 0);
        EXPECT_EQ(f.Take(), (Log{"MouseMove 0 0 0 0"}));
        EXPECT_FALSE(f.button.MouseIsOver());
    }
}

TEST(ButtonHover, OutsideTheEllipseIsNotOverTheButton) {
    for (const bool honourShape : {true, false}) {
        Fixture f(13, 60, 40);
        f.host.honourShape = honourShape;
        f.host.MoveCursorTo(3, 3);
        EXPECT_FALSE(f.button.IsMouseOver()) << honourShape;
        f.host.MoveCursorTo(56, 36);
        EXPECT_FALSE(f.button.IsMouseOver()) << honourShape;
        f.host.MoveCursorTo(30, 20);
        EXPECT_TRUE(f.button.IsMouseOver()) << honourShape;
        f.host.MoveCursorTo(30, 1);
        EXPECT_TRUE(f.button.IsMouseOver()) << honourShape;
    }
}

TEST(ButtonHover, ANeverShownButtonIsNeverUnderTheCursor) {
    PellXPButton button(1, "x", "Verdana");  // the built-in host: no window
    button.Resize(40, 20);
    EXPECT_FALSE(button.IsMouseOver());
    button.OnMouseMove(0, 0, 5, 5);
    EXPECT_FALSE(button.MouseIsOver());
    EXPECT_FALSE(button.OverTimerEnabled());
}

TEST(ButtonHover, HiddenButtonTracksHoverWithoutDrawing) {
    Fixture f;
    f.button.Hide();
    f.Move(50, 15);
    EXPECT_EQ(f.Take(), (Log{"MouseMove 0 0 50 15", "timer 3", "MouseOver"}));
    f.Leave();
    f.button.OnTimer();
    EXPECT_EQ(f.Take(), (Log{"timer off", "MOUSEOUT"}));
}

// --- pressing and clicking ---

TEST(ButtonMouse, LeftClickWhileHovered) {
    Fixture f;
    f.Move(50, 15);
    f.Take();
    f.button.OnMouseDown(1, 0, 50, 15);
    EXPECT_EQ(f.Take(), (Log{"MouseDown 1 0 50 15", "draw 2 hover"}));
    EXPECT_EQ(f.button.LastMouseButton(), 1);
    f.button.OnMouseUp(1, 0, 50, 15);
    EXPECT_EQ(f.Take(), (Log{"MouseUp 1 0 50 15", "draw 0 hover"}));
    f.button.OnClick();
    EXPECT_EQ(f.Take(), (Log{"draw 0 hover", "update", "Click", "onClick"}));
}

TEST(ButtonMouse, ModifiersAndPositionReachTheEvents) {
    Fixture f;
    f.host.MoveCursorTo(7, 8);
    f.button.OnMouseDown(1, 3, 7.5f, 8.25f);
    f.button.OnMouseMove(1, 2, 9.5f, 8.0f);
    f.button.OnMouseUp(1, 1, 9.5f, 8.0f);
    const Log log = f.Take();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0], "MouseDown 1 3 7.5 8.25");
    EXPECT_EQ(log[2], "MouseMove 1 2 9.5 8");
    EXPECT_EQ(log[3], "MouseUp 1 1 9.5 8");
}

TEST(ButtonMouse, PressFollowsTheCursorWhileTheLeftButtonIsHeld) {
    Fixture f;
    f.Move(50, 15);
    f.button.OnMouseDown(1, 0, 50, 15);
    f.Take();
    // Over the button and already drawn down: nothing to draw, but the hover flag drops.
    f.Move(60, 15, 1);
    EXPECT_EQ(f.Take(), (Log{"MouseMove 1 0 60 15"}));
    EXPECT_FALSE(f.button.MouseIsOver());
    // Off the button (the window holds the capture): drawn up.
    f.MoveCaptured(150, 15, 1);
    EXPECT_EQ(f.Take(), (Log{"MouseMove 1 0 150 15", "draw 0"}));
    f.MoveCaptured(160, 15, 1);
    EXPECT_EQ(f.Take(), (Log{"MouseMove 1 0 160 15"}));
    // Back on: down again, in the hover palette.
    f.Move(40, 15, 1);
    EXPECT_EQ(f.Take(), (Log{"MouseMove 1 0 40 15", "draw 2 hover"}));
    EXPECT_FALSE(f.button.MouseIsOver());
}

// A window paints the button when the system asks, after its state may have moved on. Dragged
// back onto the button, it draws down in the hover palette and drops the hover flag at once; a
// paint after that still shows the drawing's look, not one made of the state as it is by then.
TEST(ButtonMouse, APaintAfterTheDrawingShowsTheLookOfTheDrawing) {
    Fixture f;
    f.button.SetColorScheme(2);
    f.button.SetBackOver(0x00FF00);  // the hover palette derives from this
    f.Move(50, 15);
    f.button.OnMouseDown(1, 0, 50, 15);
    f.MoveCaptured(150, 15, 1);
    f.Move(40, 15, 1);
    ASSERT_EQ(f.Take().back(), "draw 2 hover");
    ASSERT_FALSE(f.button.MouseIsOver());
    const paint::PixelBuffer atOnce = f.host.SurfacePixels();  // painted while the flag was up

    paint::PixelBuffer later(100, 30);
    paint::Surface s = later.View();
    ASSERT_TRUE(f.button.Paint(s));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(later.Pixel(x, y), atOnce.Pixel(x, y)) << x << "," << y;

    // The same state drawn without the hover flag looks otherwise: the paint above told them apart.
    f.button.DrawButton(2, true);
    bool differs = false;
    for (int y = 0; y < 30 && !differs; ++y)
        for (int x = 0; x < 100 && !differs; ++x) differs = f.host.Px(x, y) != atOnce.Pixel(x, y);
    EXPECT_TRUE(differs);
}

TEST(ButtonMouse, DraggedOffAndReleasedOutsideGivesNoClick) {
    Fixture f;
    f.Move(50, 15);
    f.button.OnMouseDown(1, 0, 50, 15);
    f.Take();
    // Straight off without a move inside first: the hover flag is still up, only the timer
    // takes it down.
    f.MoveCaptured(150, 15, 1);
    f.button.OnMouseUp(1, 0, 150, 15);  // a release outside: the host makes no click of it
    EXPECT_EQ(f.Take(), (Log{"MouseMove 1 0 150 15", "draw 0 hover", "MouseUp 1 0 150 15"}));
    f.button.OnTimer();  // the timer still runs since the hover began
    EXPECT_EQ(f.Take(), (Log{"timer off", "draw 0", "MOUSEOUT"}));
}

TEST(ButtonMouse, AfterALeftDragEndingOverTheButtonTheNextMoveHoversAgain) {
    Fixture f;
    f.Move(50, 15);
    f.button.OnMouseDown(1, 0, 50, 15);
    f.Move(55, 15, 1);
    f.button.OnMouseUp(1, 0, 55, 15);
    f.button.OnClick();
    f.Take();
    EXPECT_FALSE(f.button.MouseIsOver());
    f.Move(56, 15);
    EXPECT_EQ(f.Take(), (Log{"MouseMove 0 0 56 15", "timer 3", "draw 0 hover", "MouseOver"}));
}

TEST(ButtonMouse, RightButtonOnlyRaisesItsEvents) {
    Fixture f;
    f.Move(50, 15);
    f.Take();
    f.button.OnMouseDown(2, 0, 50, 15);
    f.Move(51, 15, 2);
    f.button.OnMouseUp(2, 0, 51, 15);
    f.button.OnClick();
    EXPECT_EQ(f.Take(), (Log{"MouseDown 2 0 50 15", "MouseMove 2 0 51 15", "MouseUp 2 0 51 15"}));
    EXPECT_EQ(f.button.LastMouseButton(), 2);
    EXPECT_EQ(f.button.LastState(), 0);
}

TEST(ButtonMouse, MiddleButtonPressesButDoesNotClick) {
    Fixture f;
    f.host.MoveCursorTo(50, 15);
    f.button.OnMouseDown(4, 0, 50, 15);
    f.button.OnMouseUp(4, 0, 50, 15);
    f.button.OnClick();
    EXPECT_EQ(f.Take(), (Log{"MouseDown 4 0 50 15", "draw 2", "MouseUp 4 0 50 15", "draw 0"}));
}

TEST(ButtonMouse, MovesWithOtherButtonCombinationsAreOnlyReported) {
    Fixture f;
    f.button.OnMouseDown(1, 0, 50, 15);
    f.Take();
    f.MoveCaptured(150, 15, 3);  // left and right held
    f.Move(50, 15, 4);
    EXPECT_EQ(f.Take(), (Log{"MouseMove 3 0 150 15", "MouseMove 4 0 50 15"}));
    EXPECT_EQ(f.button.LastState(), 2);
}

TEST(ButtonMouse, DoubleClickClicksOnceAndShowsTheSecondPress) {
    Fixture f;
    f.Move(50, 15);
    f.Take();
    // The order a standard window delivers them in.
    f.button.OnMouseDown(1, 0, 50, 15);
    f.button.OnMouseUp(1, 0, 50, 15);
    f.button.OnClick();
    f.button.OnDblClick();
    f.button.OnMouseUp(1, 0, 50, 15);
    EXPECT_EQ(f.Take(), (Log{"MouseDown 1 0 50 15", "draw 2 hover", "MouseUp 1 0 50 15",
                             "draw 0 hover", "draw 0 hover", "update", "Click", "onClick",
                             "MouseDown 1 0 0 0", "draw 2 hover", "capture",
                             "MouseUp 1 0 50 15", "draw 0 hover"}));
}

TEST(ButtonMouse, DoubleClickAfterAnotherButtonDoesNothing) {
    Fixture f;
    f.button.OnMouseDown(2, 0, 50, 15);
    f.Take();
    f.button.OnDblClick();
    EXPECT_EQ(f.Take(), Log{});
}

TEST(ButtonMouse, DisabledButtonDoesNotClick) {
    Fixture f;
    f.button.OnMouseDown(1, 0, 50, 15);
    f.button.OnMouseUp(1, 0, 50, 15);
    f.button.SetEnabled(false);
    f.Take();
    f.button.OnClick();
    f.button.OnAccessKey('a');
    EXPECT_EQ(f.Take(), Log{});
}

TEST(ButtonMouse, FormCodeCallingClickStillReachesOnClick) {
    Fixture f;
    f.button.Click();
    EXPECT_EQ(f.Take(), (Log{"onClick"}));
}

// --- keyboard ---

TEST(ButtonKeys, AccessKeyClicksWithoutShowingThePress) {
    Fixture f;
    f.button.OnMouseDown(2, 0, 50, 15);  // the last press was not the left button
    f.button.OnMouseUp(2, 0, 50, 15);
    f.Take();
    f.button.OnAccessKey('a');
    EXPECT_EQ(f.Take(), (Log{"draw 0", "update", "Click", "onClick"}));
    EXPECT_EQ(f.button.LastMouseButton(), 1);
}

TEST(ButtonKeys, SpaceBarPressesAndClicks) {
    Fixture f;
    f.button.OnGotFocus();
    f.Take();
    f.button.OnKeyDown(32, 0);
    EXPECT_EQ(f.Take(), (Log{"KeyDown 32 0", "draw 2 focus"}));
    f.button.OnKeyDown(32, 0);  // auto-repeat
    f.button.OnKeyPress(32);
    EXPECT_EQ(f.Take(), (Log{"KeyDown 32 0", "KeyPress 32"}));
    f.button.OnKeyUp(32, 0);
    EXPECT_EQ(f.Take(), (Log{"KeyUp 32 0", "draw 0 focus", "update", "Click", "onClick"}));
}

TEST(ButtonKeys, AnotherKeyBetweenSpaceDownAndUpCancelsTheClick) {
    Fixture f;
    f.button.OnKeyDown(32, 0);
    f.button.OnKeyDown(65, 0);
    f.button.OnKeyPress(97);
    f.button.OnKeyUp(65, 0);
    f.button.OnKeyUp(32, 0);
    EXPECT_EQ(f.Take(), (Log{"KeyDown 32 0", "draw 2", "KeyDown 65 0", "KeyPress 97",
                             "KeyUp 65 0", "KeyUp 32 0"}));
    EXPECT_EQ(f.button.LastKeyCode(), 65);
}

TEST(ButtonKeys, ArrowKeysMoveTheFocusAndNeverClick) {
    Fixture f;
    f.button.OnKeyDown(37, 0);
    f.button.OnKeyUp(37, 0);
    f.button.OnKeyDown(38, 0);
    f.button.OnKeyUp(38, 0);
    f.button.OnKeyDown(39, 0);
    f.button.OnKeyUp(39, 0);
    f.button.OnKeyDown(40, 4);
    f.button.OnKeyUp(40, 4);
    EXPECT_EQ(f.Take(), (Log{"KeyDown 37 0", "focus previous", "KeyUp 37 0", "KeyDown 38 0",
                             "focus previous", "KeyUp 38 0", "KeyDown 39 0", "focus next",
                             "KeyUp 39 0", "KeyDown 40 4", "focus next", "KeyUp 40 4"}));
    EXPECT_EQ(f.button.LastKeyCode(), 40);
}

TEST(ButtonKeys, AKeyCodeAboveAByteIsNotTakenForAnother) {
    Fixture f;
    f.button.OnKeyDown(65, 0);
    f.button.OnKeyDown(32 + 256, 0);  // would be the space bar if cut to a byte
    f.button.OnKeyDown(37 + 256, 0);
    f.button.OnKeyUp(32, 0);
    EXPECT_EQ(f.Take(), (Log{"KeyDown 65 0", "KeyDown 288 0", "KeyDown 293 0", "KeyUp 32 0"}));
    EXPECT_EQ(f.button.LastKeyCode(), 65);
}

// --- check-box behaviour ---

TEST(ButtonCheckBox, TwoClicksToggleValueAndBack) {
    Fixture f;
    f.button.SetCheckBoxBehaviour(true);
    f.host.MoveCursorTo(-10, -10);
    f.Take();
    f.button.OnMouseDown(1, 0, 5, 5);
    f.button.OnMouseUp(1, 0, 5, 5);
    f.button.OnClick();
    EXPECT_EQ(f.Take(), (Log{"MouseDown 1 0 5 5", "draw 2", "MouseUp 1 0 5 5", "draw 0",
                             "draw 2", "changed VALUE", "draw 2", "update", "Click", "onClick"}));
    EXPECT_TRUE(f.button.Value());
    EXPECT_EQ(f.button.LastState(), 2);  // stays down while checked
    f.button.OnMouseDown(1, 0, 5, 5);
    f.button.OnMouseUp(1, 0, 5, 5);
    f.button.OnClick();
    EXPECT_EQ(f.Take(), (Log{"MouseDown 1 0 5 5", "MouseUp 1 0 5 5", "draw 0", "changed VALUE",
                             "draw 0", "update", "Click", "onClick"}));
    EXPECT_FALSE(f.button.Value());
    EXPECT_EQ(f.button.LastState(), 0);
}

TEST(ButtonCheckBox, SpaceBarAndAccessKeyToggleToo) {
    Fixture f;
    f.button.SetCheckBoxBehaviour(true);
    f.button.OnKeyDown(32, 0);
    f.button.OnKeyUp(32, 0);
    EXPECT_TRUE(f.button.Value());
    f.button.OnAccessKey('a');
    EXPECT_FALSE(f.button.Value());
    EXPECT_EQ(f.button.LastState(), 0);
}

TEST(ButtonCheckBox, WithoutCheckBoxBehaviourValueStays) {
    Fixture f;
    f.button.OnAccessKey('a');
    f.button.OnKeyDown(32, 0);
    f.button.OnKeyUp(32, 0);
    EXPECT_FALSE(f.button.Value());
    EXPECT_TRUE(f.host.changes.empty());
}

// --- focus and ambient changes ---

TEST(ButtonFocus, GainAndLossRedrawTheLastState) {
    Fixture f;
    f.button.OnGotFocus();
    EXPECT_EQ(f.Take(), (Log{"draw 0 focus"}));
    EXPECT_TRUE(f.button.HasFocus());
    f.button.OnMouseDown(1, 0, 5, 5);
    f.Take();
    f.button.OnLostFocus();
    EXPECT_EQ(f.Take(), (Log{"draw 2"}));
    EXPECT_FALSE(f.button.HasFocus());
    f.button.OnGotFocus();
    EXPECT_EQ(f.Take(), (Log{"draw 2 focus"}));
}

TEST(ButtonFocus, TheFocusLookShowsOnlyWhileFocused) {
    for (const int type : {3, 1}) {  // focus glow lines; the dotted focus frame
        Fixture f(type);
        const paint::PixelBuffer unfocused = f.host.SurfacePixels();
        f.button.OnGotFocus();
        int differing = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 100; ++x) differing += f.host.Px(x, y) != unfocused.Pixel(x, y);
        EXPECT_GT(differing, 0) << type;
        f.button.OnLostFocus();
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 100; ++x)
                ASSERT_EQ(f.host.Px(x, y), unfocused.Pixel(x, y)) << type;
    }
}

TEST(ButtonAmbient, SystemPaletteFollowsTheHost) {
    Fixture f;  // ColorScheme 1: system colours
    f.host.Sys().colors[controls::kColorBtnFace] = paint::MakeRgb(1, 2, 3);
    f.button.OnAmbientChanged("BackColor");
    EXPECT_EQ(f.button.Colors().face, paint::MakeRgb(1, 2, 3));
    EXPECT_EQ(f.Take(), (Log{"draw 0"}));
}

TEST(ButtonAmbient, ParentPaletteFollowsTheHost) {
    Fixture f;
    f.button.SetColorScheme(4);
    f.button.OnMouseDown(4, 0, 5, 5);
    f.Take();
    f.host.parentBack = paint::MakeRgb(40, 50, 60);
    f.button.OnAmbientChanged("BackColor");
    EXPECT_EQ(f.button.Colors().face, paint::MakeRgb(40, 50, 60));
    EXPECT_EQ(f.Take(), (Log{"draw 2"}));
}

TEST(ButtonAmbient, OwnColoursIgnoreIt) {
    Fixture f;
    f.button.SetColorScheme(2);
    const controls::Palette before = f.button.Colors();
    f.Take();
    f.host.Sys().colors[controls::kColorBtnFace] = paint::MakeRgb(1, 2, 3);
    f.host.Sys().colors[controls::kColorBtnShadow] = paint::MakeRgb(4, 5, 6);
    f.host.parentBack = paint::MakeRgb(40, 50, 60);
    f.button.OnAmbientChanged("BackColor");
    EXPECT_EQ(f.Take(), Log{});
    EXPECT_EQ(f.button.Colors(), before);
}

// --- resize ---

TEST(ButtonResize, FocusFrameInsetsPerType) {
    Fixture f;
    struct Case {
        int type;
        Rect expected;
    };
    const Case cases[] = {
        {0, {4, 4, 76, 36}},  {1, {4, 4, 76, 36}},  {2, {4, 4, 76, 36}},  {3, {4, 4, 76, 36}},
        {4, {4, 4, 76, 36}},  {5, {4, 4, 76, 36}},  {6, {4, 4, 76, 36}},  {7, {3, 3, 77, 37}},
        {8, {3, 3, 77, 37}},  {9, {3, 3, 77, 37}},  {10, {3, 3, 77, 37}}, {11, {3, 3, 77, 37}},
        {12, {3, 3, 77, 37}}, {13, {3, 3, 77, 37}}, {14, {6, 6, 76, 36}}, {15, {4, 4, 76, 36}},
    };
    for (const Case& c : cases) {
        f.button.SetButtonType(c.type);
        f.button.Resize(80, 40);
        EXPECT_EQ(f.button.FocusRect(), c.expected) << c.type;
        EXPECT_EQ(f.button.ClientWidth(), 80);
        EXPECT_EQ(f.button.ClientHeight(), 40);
    }
}

TEST(ButtonResize, ShapesTheWindowAndDrawsUp) {
    Fixture f;
    f.button.OnMouseDown(1, 0, 5, 5);
    f.Take();
    f.button.Resize(120, 50);
    EXPECT_EQ(f.Take(), (Log{"draw 0"}));
    EXPECT_EQ(f.host.Shape(), f.button.ButtonRegion());
    EXPECT_TRUE(f.host.Shape().Contains(118, 25));
    EXPECT_FALSE(f.host.Shape().Contains(119, 0));  // a cut corner of the new size
    EXPECT_FALSE(f.host.Shape().Contains(120, 25));
    EXPECT_EQ(f.host.SurfacePixels().Width(), 120);
}

TEST(ButtonResize, HeightZeroShapesButDrawsNothing) {
    Fixture f;
    f.button.Resize(100, 0);
    EXPECT_EQ(f.Take(), Log{});
    EXPECT_TRUE(f.host.Shape().rects.empty());
    EXPECT_EQ(f.button.ClientHeight(), 0);
}

// A window that reports every size change back to the button, as WM_SIZE would, including the
// ones the button makes itself while it captures the parent's pixels.
class SizingHost : public TestHost {
public:
    PellXPButton* button = nullptr;
    std::vector<bool> guardSeen;
    void SetControlHeight(int h) override {
        TestHost::SetControlHeight(h);
        guardSeen.push_back(button->ResizeGuard());
        button->Resize(width, h);
    }
};

TEST(ButtonResize, IgnoredWhileTheBackgroundIsCaptured) {
    SizingHost host;
    PellXPButton button(1, "", "Verdana");
    host.button = &button;
    button.SetHost(&host);
    button.InitProperties();
    button.Resize(100, 30);
    button.Show();
    button.SetButtonType(11);
    EXPECT_EQ(host.heights, (std::vector<int>{0, 30}));
    EXPECT_EQ(host.guardSeen, (std::vector<bool>{true, true}));
    EXPECT_FALSE(button.ResizeGuard());
    EXPECT_EQ(button.ClientHeight(), 30);
    EXPECT_EQ(button.FocusRect(), (Rect{3, 3, 97, 27}));
    EXPECT_TRUE(host.Shape().Contains(50, 29));
    button.Resize(100, 20);  // an ordinary size change still counts
    EXPECT_EQ(button.ClientHeight(), 20);
}

}  // namespace
