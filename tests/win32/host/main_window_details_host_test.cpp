// Details of the main window's host, fed message sequences as the user's actions and the
// system's notifications produce them: double clicks, the frame's tool tip and its drawing,
// the maker label beneath the frame, system colour changes, and the order in which the skinned
// controls are loaded and first drawn.
#include "host_fixture.h"

#include <commctrl.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/win32/resource_pictures.h"

namespace {

namespace ids = app::ids;
using host_test::Capture;
using host_test::kUndrawn;
using host_test::SizedShot;
using host_test::MainWindowHost;
using host_test::Shot;
using platform::memory::Mode;

using Log = std::vector<std::string>;

bool IsSkinnedWindow(HWND hwnd) {
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    const std::string c = cls;
    return c == "DravikXPButton" || c == "DravikCmdButton" || c == "DravikXPFrame";
}

// Records, for every skinned control's window, the first picture it holds at the boundary of
// any message it is sent or takes from the queue: from its creation on, whatever the window
// could show on the screen at any moment is seen here.
class FirstDrawings {
public:
    FirstDrawings() {
        self_ = this;
        const DWORD thread = GetCurrentThreadId();
        hooks_[0] = SetWindowsHookExA(WH_CALLWNDPROC, &Sent, nullptr, thread);
        hooks_[1] = SetWindowsHookExA(WH_CALLWNDPROCRET, &Returned, nullptr, thread);
        hooks_[2] = SetWindowsHookExA(WH_GETMESSAGE, &Taken, nullptr, thread);
    }
    ~FirstDrawings() {
        for (HHOOK h : hooks_)
            if (h) UnhookWindowsHookEx(h);
        self_ = nullptr;
    }
    bool Installed() const { return hooks_[0] && hooks_[1] && hooks_[2]; }
    // By control id.
    const std::map<int, Shot>& First() const { return first_; }

private:
    void See(HWND hwnd) {
        if (capturing_ || !hwnd || !IsSkinnedWindow(hwnd)) return;
        const int id = GetDlgCtrlID(hwnd);
        if (first_.count(id)) return;
        capturing_ = true;
        Shot shot = Capture(hwnd);
        capturing_ = false;
        if (!shot.pixels.empty()) first_[id] = std::move(shot);
    }
    static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && self_) self_->See(reinterpret_cast<CWPSTRUCT*>(lParam)->hwnd);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK Returned(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && self_) self_->See(reinterpret_cast<CWPRETSTRUCT*>(lParam)->hwnd);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK Taken(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && self_) self_->See(reinterpret_cast<MSG*>(lParam)->hwnd);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline FirstDrawings* self_ = nullptr;
    HHOOK hooks_[3] = {};
    std::map<int, Shot> first_;
    bool capturing_ = false;
};

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

// Presses that are no click: a left press released outside, a left press whose mouse another
// window took before the release, and a middle and a right press released inside. The big
// button hears of every release inside and keeps the left clicks itself; a small one is told
// of left clicks only. Then one left click, to show that the button does click (the settings
// button starts the display settings).
void ClicksOnlyForALeftPressReleasedInside(HWND button, const std::vector<std::string>& started) {
    const LPARAM in = MAKELPARAM(20, 10), out = MAKELPARAM(-5, 10);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, in);
    SendMessageA(button, WM_LBUTTONUP, 0, out);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, in);
    ASSERT_EQ(GetCapture(), button);
    ReleaseCapture();  // WM_CAPTURECHANGED: the press is over
    SendMessageA(button, WM_LBUTTONUP, 0, in);
    SendMessageA(button, WM_MBUTTONDOWN, MK_MBUTTON, in);
    SendMessageA(button, WM_MBUTTONUP, 0, in);
    SendMessageA(button, WM_RBUTTONDOWN, MK_RBUTTON, in);
    SendMessageA(button, WM_RBUTTONUP, 0, in);
    EXPECT_TRUE(started.empty());
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, in);
    SendMessageA(button, WM_LBUTTONUP, 0, in);
    EXPECT_EQ(started.size(), 1u);
}

TEST_F(MainWindowHost, BigButtonClicksOnlyForALeftPressReleasedInside) {
    Start();
    ClicksOnlyForALeftPressReleasedInside(Child(ids::kBtnSettings), system.started);
}

TEST_F(MainWindowHost, SmallButtonClicksOnlyForALeftPressReleasedInside) {
    display.SetCurrent(Mode(800, 600, 8, 60));
    Start();
    ClicksOnlyForALeftPressReleasedInside(Child(ids::kCmdSettings), system.started);
}

// --- the frame over the form's surface, and the maker label on it ---

constexpr int kLabelX = 427, kLabelY = 304;  // the label's corner at 96 dpi
constexpr int kClientW = 489, kClientH = 321;

COLORREF Ref(paint::Rgb c) { return RGB(paint::Red(c), paint::Green(c), paint::Blue(c)); }

// The frame's window shows one drawing: the form's colour and the label beneath the frame's
// pictures, the bottom border whole over the label, in both appearances.
TEST_F(MainWindowHost, FrameShowsTheFormsSurfaceWithTheLabelBeneathItsBorder) {
    Start();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    if (dpi != 96) GTEST_SKIP() << "the pixel places here are those of 96 dots per inch, not " << dpi;

    struct Look {
        int frame;
        const char* pictures;
        COLORREF back, label;
    };
    for (const Look look : {Look{ids::kXPF1, "frame", RGB(224, 224, 224), RGB(128, 128, 255)},
                            Look{ids::kMorvXPF1, "frame256", RGB(192, 192, 192), RGB(0, 255, 255)}}) {
        if (look.frame == ids::kMorvXPF1) SwitchToThe256ColourLook();
        HWND frame = Child(look.frame);
        ASSERT_TRUE(IsWindowVisible(frame)) << look.pictures;
        // Presses on the label's place reach the frame: it lies above the label's window.
        POINT at{kLabelX + 5, kLabelY + 5};
        EXPECT_EQ(ChildWindowFromPointEx(window->Handle(), at, CWP_SKIPINVISIBLE), frame);

        const Shot shot = Capture(frame);
        ASSERT_EQ(shot.width, kClientW);
        ASSERT_EQ(shot.height, kClientH);
        EXPECT_EQ(shot.At(240, 160), look.back) << look.pictures;
        int labelPixels = 0;
        for (int y = kLabelY; y < kClientH - 4; ++y)
            for (int x = kLabelX; x < kClientW - 4; ++x) labelPixels += shot.At(x, y) == look.label;
        EXPECT_GT(labelPixels, 20) << look.pictures << ": the label's text is not there";
        const auto bottom = app::win32::LoadPictureResource(std::string(look.pictures) + "_bottom");
        const auto corner = app::win32::LoadPictureResource(std::string(look.pictures) + "_bottom_right");
        ASSERT_TRUE(bottom && corner);
        for (int y = 0; y < 4; ++y) {
            for (int x = kLabelX - 10; x < kClientW - 4; ++x)
                ASSERT_EQ(shot.At(x, kClientH - 4 + y), Ref(bottom->pixels.Pixel(0, y)))
                    << look.pictures << ": bottom border broken at " << x;
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(shot.At(kClientW - 4 + x, kClientH - 4 + y), Ref(corner->pixels.Pixel(x, y)))
                    << look.pictures;
        }
    }
}

TEST_F(MainWindowHost, LabelKeepsItsClickBeneathTheFrame) {
    Start();
    int clicks = 0;
    form->LblMorv.onClick = [&] { ++clicks; };
    HWND frame = Child(ids::kXPF1);
    const LPARAM onLabel = MAKELPARAM(kLabelX + 5, kLabelY + 5);
    const LPARAM offLabel = MAKELPARAM(kLabelX - 40, kLabelY + 5);
    const auto drags = [&] {
        int n = 0;
        for (const auto& call : ui.calls) n += call.kind == platform::memory::MemoryUi::Call::Drag;
        return n;
    };

    SendMessageA(frame, WM_LBUTTONDOWN, MK_LBUTTON, onLabel);
    SendMessageA(frame, WM_LBUTTONUP, 0, onLabel);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(drags(), 0) << "a press on the label must not move the window";

    // Pressed on the label and released beside it: no click.
    SendMessageA(frame, WM_LBUTTONDOWN, MK_LBUTTON, onLabel);
    SendMessageA(frame, WM_LBUTTONUP, 0, offLabel);
    // The right button on the label neither clicks nor drags.
    SendMessageA(frame, WM_RBUTTONDOWN, MK_RBUTTON, onLabel);
    SendMessageA(frame, WM_RBUTTONUP, 0, onLabel);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(drags(), 0);

    // Beside the label the bare window moves.
    SendMessageA(frame, WM_LBUTTONDOWN, MK_LBUTTON, offLabel);
    EXPECT_EQ(drags(), 1);
    SendMessageA(frame, WM_LBUTTONUP, 0, offLabel);
    EXPECT_EQ(clicks, 1);

    // A click in the program's own way (the label's notification) still reaches it.
    SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(ids::kLblMorv, STN_CLICKED),
                 reinterpret_cast<LPARAM>(Child(ids::kLblMorv)));
    EXPECT_EQ(clicks, 2);
}

// --- the close button's tool tip ---

struct Tool {
    HWND window;
    UINT_PTR id;
    RECT rect;
    std::string text;
};

BOOL CALLBACK CollectToolTipWindow(HWND hwnd, LPARAM list) {
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

// Every tool of every tool tip window of this thread, as the tool tips report them.
std::vector<Tool> ToolsOfThread() {
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), &CollectToolTipWindow, reinterpret_cast<LPARAM>(&tips));
    std::vector<Tool> tools;
    for (HWND tip : tips) {
        const auto count = SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[80] = {};
            TOOLINFOA info{};
            info.cbSize = TTTOOLINFOA_V2_SIZE;
            info.lpszText = text;
            if (!SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info)))
                continue;
            tools.push_back({info.hwnd, info.uId, info.rect, text});
        }
    }
    return tools;
}

// Made when the mouse first comes over a caption button, not at start-up nor for a move
// elsewhere on the frame (a tool tip is a top-level window of its own).
TEST_F(MainWindowHost, CloseButtonHasItsToolTipFromTheFirstMouseMoveOverIt) {
    Start();
    EXPECT_TRUE(ToolsOfThread().empty()) << "a tool tip was made at start-up";
    SwitchToThe256ColourLook();  // both frames made
    for (int id : {ids::kXPF1, ids::kMorvXPF1}) SendMessageA(Child(id), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_TRUE(ToolsOfThread().empty()) << "a tool tip was made for a move away from the caption buttons";
    for (int id : {ids::kXPF1, ids::kMorvXPF1}) {
        const controls::SkinnedFrame& model =
            id == ids::kXPF1 ? static_cast<const controls::SkinnedFrame&>(form->XPF1) : form->MorvXPF1;
        const paint::Rect close = model.Box(controls::FramePiece::CloseButton).Pixels();
        SendMessageA(Child(id), WM_MOUSEMOVE, 0, MAKELPARAM((close.left + close.right) / 2, (close.top + close.bottom) / 2));
    }
    const std::vector<Tool> tools = ToolsOfThread();
    for (int id : {ids::kXPF1, ids::kMorvXPF1}) {
        const controls::SkinnedFrame& model =
            id == ids::kXPF1 ? static_cast<const controls::SkinnedFrame&>(form->XPF1) : form->MorvXPF1;
        const paint::Rect close = model.Box(controls::FramePiece::CloseButton).Pixels();
        int found = 0;
        for (const Tool& tool : tools) {
            if (tool.window != Child(id)) continue;
            if (tool.text == "Close") {
                ++found;
                EXPECT_EQ(tool.rect.left, close.left) << id;
                EXPECT_EQ(tool.rect.top, close.top) << id;
                EXPECT_EQ(tool.rect.right, close.right) << id;
                EXPECT_EQ(tool.rect.bottom, close.bottom) << id;
            } else {
                // The hidden maximise and minimise buttons have theirs, over no place.
                EXPECT_TRUE(tool.text == "Maximize" || tool.text == "Minimize") << tool.text;
                EXPECT_TRUE(IsRectEmpty(&tool.rect)) << tool.text;
            }
        }
        EXPECT_EQ(found, 1) << "frame " << id << " has no tool \"Close\" over its close button";
    }
}

// The frame hands the tool tip its mouse messages itself (no subclass): the pointer resting on
// the close box brings up "Close", as a user sees it.
TEST_F(MainWindowHost, CloseButtonsToolTipShowsWhileThePointerRestsOnIt) {
    Start();
    HWND frame = Child(ids::kXPF1);
    const paint::Rect close = form->XPF1.Box(controls::FramePiece::CloseButton).Pixels();
    // The pointer comes onto the frame away from the close box, then onto the close box, where
    // the tool tip is made, and rests there.
    POINT corner{1, 1};
    ClientToScreen(frame, &corner);
    SetCursorPos(corner.x, corner.y);
    SendMessageA(frame, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    POINT at{(close.left + close.right) / 2, (close.top + close.bottom) / 2};
    const LPARAM client = MAKELPARAM(at.x, at.y);
    ClientToScreen(frame, &at);
    SetCursorPos(at.x, at.y);
    SendMessageA(frame, WM_MOUSEMOVE, 0, client);
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), &CollectToolTipWindow, reinterpret_cast<LPARAM>(&tips));
    ASSERT_EQ(tips.size(), 1u);
    // The tool tip's own delay (the double-click time, 500 ms by default) runs from that move.
    for (int i = 0; i < 300 && !IsWindowVisible(tips[0]); ++i) {
        Sleep(10);
        host_test::Pump();
    }
    EXPECT_TRUE(IsWindowVisible(tips[0])) << "the tool tip never saw the pointer over the close box";
    char text[80] = {};
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.lpszText = text;
    EXPECT_TRUE(SendMessageA(tips[0], TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ(text, "Close");
    SetCursorPos(0, 0);
}

// --- system colour and setting changes ---

// Counts the two messages each child of the main window receives.
struct AmbientCounts {
    std::map<HWND, int> colours, settings;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR self) {
        auto* counts = reinterpret_cast<AmbientCounts*>(self);
        if (msg == WM_SYSCOLORCHANGE) ++counts->colours[hwnd];
        if (msg == WM_SETTINGCHANGE) ++counts->settings[hwnd];
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
};

// Windows sends both to top-level windows only: the main window hands each on to every child.
TEST_F(MainWindowHost, SystemColourAndSettingChangesReachEveryChild) {
    Start();
    SwitchToThe256ColourLook();  // the controls made late take them as well
    AmbientCounts counts;
    std::vector<HWND> children;
    for (HWND c = GetWindow(window->Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        children.push_back(c);
        ASSERT_TRUE(SetWindowSubclass(c, &AmbientCounts::Proc, 7, reinterpret_cast<DWORD_PTR>(&counts)));
    }
    ASSERT_GE(children.size(), 20u);
    SendMessageA(window->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    SendMessageA(window->Handle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS,
                 reinterpret_cast<LPARAM>("WindowMetrics"));
    for (HWND c : children) {
        EXPECT_EQ(counts.colours[c], 1) << "control " << GetDlgCtrlID(c);
        EXPECT_EQ(counts.settings[c], 1) << "control " << GetDlgCtrlID(c);
        RemoveWindowSubclass(c, &AmbientCounts::Proc, 7);
    }
}

// Puts the system colours back, whatever the test does to them.
class SysColorsRestored {
public:
    explicit SysColorsRestored(std::vector<int> indices) : indices_(std::move(indices)) {
        for (int i : indices_) saved_.push_back(GetSysColor(i));
    }
    ~SysColorsRestored() {
        SetSysColors(static_cast<int>(indices_.size()), indices_.data(), saved_.data());
    }

private:
    std::vector<int> indices_;
    std::vector<COLORREF> saved_;
};

// The icon buttons are drawn in the system's colours: a new button face colour shows in them as
// soon as Windows reports the change. The big buttons keep their own colours.
TEST_F(MainWindowHost, ButtonsInSystemColoursRepaintInNewOnes) {
    SysColorsRestored restore({COLOR_BTNFACE});
    Start();
    const Shot iconBefore = Capture(Child(ids::kCmdIconSave));
    const Shot trayBefore = Capture(Child(ids::kBtnTray));
    ASSERT_FALSE(iconBefore.pixels.empty());
    const COLORREF face = GetSysColor(COLOR_BTNFACE) == RGB(40, 90, 160) ? RGB(160, 40, 90) : RGB(40, 90, 160);

    const int index = COLOR_BTNFACE;
    ASSERT_TRUE(SetSysColors(1, &index, &face));
    // As Windows sends it to every top-level window (Wine's SetSysColors may do so as well).
    SendMessageA(window->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    host_test::Pump();

    const paint::Rgb modelFace = form->CmdIconSave.Colors().face;
    EXPECT_EQ(RGB(paint::Red(modelFace), paint::Green(modelFace), paint::Blue(modelFace)), face);
    const Shot iconAfter = Capture(Child(ids::kCmdIconSave));
    EXPECT_FALSE(iconAfter == iconBefore) << "the icon button still shows the old colours";
    // Its face is the new colour lightened (the XP face) and darkened towards the bottom: a
    // bluish or reddish tint now, where the grey face had none.
    const COLORREF mid = iconAfter.At(10, iconAfter.height / 2);
    const bool tinted = face == RGB(40, 90, 160) ? GetBValue(mid) > GetRValue(mid) + 40
                                                 : GetRValue(mid) > GetBValue(mid) + 40;
    EXPECT_TRUE(tinted) << std::hex << mid;
    EXPECT_TRUE(Capture(Child(ids::kBtnTray)) == trayBefore) << "BtnTray has colours of its own";
}

// --- the skinned controls' lifecycle ---

// Initialize, ReadProperties, Resize, Show: the first picture any skinned control's window ever
// holds is already its design's. The buttons whose captions start-up leaves alone look then
// exactly as they do once the window is up; drawn with their constructors' defaults, the big
// ones would lack their pictures and white faces.
TEST_F(MainWindowHost, SkinnedButtonsAreFirstDrawnWithTheirDesign) {
    FirstDrawings first;
    ASSERT_TRUE(first.Installed());
    Start();
    for (int id : {ids::kBtnTray, ids::kBtnSettings, ids::kCmdIconSave, ids::kCmdIconRest, ids::kXPF1}) {
        ASSERT_TRUE(first.First().count(id)) << "control " << id << " was never seen drawn";
        const Shot now = Capture(Child(id));
        ASSERT_FALSE(now.pixels.empty()) << id;
        EXPECT_TRUE(first.First().at(id) == now) << "control " << id << " was first drawn otherwise";
    }
}

TEST_F(MainWindowHost, SmallButtonsAreFirstDrawnWithTheirDesign) {
    display.SetCurrent(Mode(800, 600, 8, 60));
    FirstDrawings first;
    ASSERT_TRUE(first.Installed());
    Start();
    for (int id : {ids::kCmdTray, ids::kCmdSettings}) {
        ASSERT_TRUE(first.First().count(id)) << "control " << id << " was never seen drawn";
        EXPECT_TRUE(first.First().at(id) == Capture(Child(id))) << "control " << id;
    }
}

// What the window itself shows after its paint: read back from the window's DC (Wine keeps a
// window's painted pixels in its own surface), not drawn anew as WM_PRINTCLIENT would.
Shot Painted(HWND hwnd) {
    Shot shot = SizedShot(hwnd);
    const RECT rc{0, 0, shot.width, shot.height};
    HDC window = GetDC(hwnd);
    HDC dc = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, rc.right, rc.bottom, window, 0, 0, SRCCOPY);
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x) shot.pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(hwnd, window);
    return shot;
}

// The appearance not shown at start-up holds no drawing until it shows; a click on the movie
// button (a switch to the 256-colour mode) must then paint its frame and small buttons in
// their design on their first WM_PAINT, the same pixels they print.
TEST_F(MainWindowHost, TheOtherAppearanceIsPaintedWhenASwitchShowsIt) {
    Start();
    for (int id : {ids::kCmdTray, ids::kCmdSettings, ids::kMorvXPF1})
        ASSERT_EQ(Child(id), nullptr) << id << " made before it is shown";
    SwitchToThe256ColourLook();
    if (HasFatalFailure()) return;
    SetWindowPos(window->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    host_test::Pump();
    for (int id : {ids::kCmdTray, ids::kCmdSettings, ids::kMorvXPF1}) {
        HWND child = Child(id);
        ASSERT_TRUE(IsWindowVisible(child)) << id;
        const Shot painted = Painted(child);  // first: printing draws what a paint still owes
        const Shot printed = Capture(child);
        ASSERT_FALSE(printed.pixels.empty()) << "control " << id << " prints nothing";
        ASSERT_EQ(painted.pixels.size(), printed.pixels.size()) << id;
        // The inside only (a shaped window's corners are clipped on the screen, not in print),
        // and only where no sibling above it covers it.
        std::vector<RECT> above;
        for (HWND w = GetWindow(child, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
            if (!IsWindowVisible(w)) continue;
            RECT r;
            GetWindowRect(w, &r);
            MapWindowPoints(nullptr, child, reinterpret_cast<POINT*>(&r), 2);
            above.push_back(r);
        }
        int compared = 0, differing = 0;
        for (int y = 3; y < printed.height - 3; ++y)
            for (int x = 3; x < printed.width - 3; ++x) {
                const POINT p{x, y};
                bool covered = false;
                for (const RECT& r : above) covered = covered || PtInRect(&r, p);
                if (covered) continue;
                ++compared;
                differing += painted.At(x, y) != printed.At(x, y);
            }
        EXPECT_GT(compared, 0) << id;
        EXPECT_EQ(differing, 0) << "control " << id << " shows other pixels than its design";
    }
}


// The frame keeps no drawing between paints: each WM_PAINT draws its present look anew. A hover
// on the close button shows the hot picture there and nowhere else, and a repaint from scratch
// gives the same pixels again; the window-sized picture reaches the screen whole, its last,
// shorter strip included.
TEST_F(MainWindowHost, TheFrameDrawsItsPresentLookAtEveryPaint) {
    Start();
    HWND frame = Child(ids::kXPF1);
    ASSERT_TRUE(IsWindowVisible(frame));
    RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    host_test::Pump();
    const Shot normal = Painted(frame);
    ASSERT_FALSE(normal.pixels.empty());
    // The bottom border's pictures reach the last row (the last strip of the blit).
    const COLORREF back = normal.At(normal.width / 2, normal.height / 2 + 40);
    EXPECT_NE(normal.At(normal.width / 2, normal.height - 1), back);
    EXPECT_NE(normal.At(normal.width / 2, normal.height - 1), kUndrawn);

    const paint::Rect close = form->XPF1.Box(controls::FramePiece::CloseButton).Pixels();
    ASSERT_FALSE(close.Empty());
    const int cx = (close.left + close.right) / 2, cy = (close.top + close.bottom) / 2;
    SendMessageA(frame, WM_MOUSEMOVE, 0, MAKELPARAM(cx, cy));
    host_test::Pump();
    const Shot hot = Painted(frame);
    ASSERT_EQ(hot.pixels.size(), normal.pixels.size());
    int inside = 0, outside = 0;
    for (int y = 0; y < hot.height; ++y)
        for (int x = 0; x < hot.width; ++x) {
            if (hot.At(x, y) == normal.At(x, y)) continue;
            const bool in = x >= close.left && x < close.right && y >= close.top && y < close.bottom;
            ++(in ? inside : outside);
        }
    EXPECT_GT(inside, 0) << "the close button did not change to its hot picture";
    EXPECT_EQ(outside, 0) << "pixels changed outside the close button";

    // Scribble over the window's pixels; the repaint must draw them all again.
    HDC dc = GetDC(frame);
    HBRUSH scribble = CreateSolidBrush(kUndrawn);
    const RECT all{0, 0, hot.width, hot.height};
    FillRect(dc, &all, scribble);
    DeleteObject(scribble);
    ReleaseDC(frame, dc);
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    host_test::Pump();
    EXPECT_TRUE(Painted(frame) == hot) << "a repaint drew another picture";
}

}  // namespace

// The four small buttons show one skin, and the about window's frame the pictures the main
// window's frame shows: a picture is decoded once while anything holds it, whatever the case
// of its name.
TEST(ResourcePictures, OneDecodedCopyWhileThePictureIsHeld) {
    paint::PicturePtr skin = app::win32::LoadPictureResource("xpcmdbutton_skin");
    ASSERT_TRUE(skin);
    EXPECT_EQ(app::win32::LoadPictureFile("XPCMDBUTTON_SKIN.bmp"), skin);
    EXPECT_NE(app::win32::LoadPictureResource("close_normal"), skin);
    EXPECT_EQ(app::win32::LoadPictureResource("no_such_picture"), nullptr);

    // Once nothing holds it, it is freed, and decoded again when next asked for.
    const int width = skin->Width();
    EXPECT_EQ(skin.use_count(), 1) << "the cache must not keep pictures alive";
    skin.reset();
    const paint::PicturePtr again = app::win32::LoadPictureResource("xpcmdbutton_skin");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Width(), width);
}
