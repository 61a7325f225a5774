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

namespace {

namespace ids = app::ids;
using host_test::MainWindowHost;
using platform::memory::Mode;

using Log = std::vector<std::string>;

// The pixels a window shows, as WM_PRINTCLIENT hands them out (what WM_PAINT puts on the screen).
struct Shot {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;  // empty: the window has drawn nothing yet
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool operator==(const Shot&) const = default;
};

// A colour no control of the window draws: what is left of it was not drawn.
constexpr COLORREF kUndrawn = RGB(1, 254, 3);

Shot Capture(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    Shot shot;
    shot.width = rc.right;
    shot.height = rc.bottom;
    if (rc.right <= 0 || rc.bottom <= 0) return shot;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rc.right;
    info.bmiHeader.biHeight = -rc.bottom;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        DeleteDC(dc);
        return shot;
    }
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH undrawn = CreateSolidBrush(kUndrawn);
    FillRect(dc, &rc, undrawn);
    DeleteObject(undrawn);
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    bool drawn = false;
    std::vector<COLORREF> pixels;
    const auto* p = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < rc.right * rc.bottom; ++i, p += 4) {
        pixels.push_back(RGB(p[2], p[1], p[0]));
        drawn = drawn || pixels.back() != kUndrawn;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (drawn) shot.pixels = std::move(pixels);
    return shot;
}

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

// --- the skinned controls' lifecycle ---

// Initialize, ReadProperties, Resize, Show: the first picture any skinned control's window ever
// holds is already its design's. The buttons whose captions start-up leaves alone look then
// exactly as they do once the window is up; drawn with their constructors' defaults, the big
// ones would lack their pictures and white faces.
TEST_F(MainWindowHost, SkinnedButtonsAreFirstDrawnWithTheirDesign) {
    FirstDrawings first;
    ASSERT_TRUE(first.Installed());
    Start();
    for (int id : {ids::kBtnTray, ids::kBtnSettings, ids::kCmdIconSave, ids::kCmdIconRest}) {
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

}  // namespace
