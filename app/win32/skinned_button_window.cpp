#include "app/win32/skinned_button_window.h"

#include "app/win32/accessible.h"
#include "wingui/mouse_position.h"

namespace app::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;

}  // namespace

void SetTextIfChanged(HWND hwnd, const std::string& text) {
    if (!hwnd) return;
    // WM_GETTEXT on a window of this thread stays in the process.
    const int length = GetWindowTextLengthA(hwnd);
    if (length == static_cast<int>(text.size())) {
        std::string shown(static_cast<std::size_t>(length) + 1, '\0');
        shown.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, shown.data(), length + 1)));
        if (shown == text) return;
    }
    SetWindowTextA(hwnd, text.c_str());
}

namespace {

// The control's held state changed: a screen reader hears it as a standard button's (its
// pressed state, accessible.cpp). Raised before the control runs its handlers, which may end
// the window.
void HeldChanged(HWND hwnd) { NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF); }

int ButtonOf(UINT msg) {
    switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: return 2;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: return 4;
    default: return 1;
    }
}

}  // namespace

bool ButtonMouse::Handle(HWND hwnd, UINT msg, LPARAM lParam, bool takesFocus, Control& control,
                         double scale) {
    const float x = static_cast<float>(wingui::MouseX(lParam) / scale);
    const float y = static_cast<float>(wingui::MouseY(lParam) / scale);
    const int which = ButtonOf(msg);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (takesFocus && GetFocus() != hwnd) SetFocus(hwnd);
        SetCapture(hwnd);
        if (pressed_ == 0) {
            pressed_ = which;
            HeldChanged(hwnd);
        }
        pressed_ |= which;
        if (msg == WM_LBUTTONDBLCLK) {
            // The class has CS_DBLCLKS: this is the second press of a double click.
            armed_ &= ~which;
            control.DblClick();
            return true;
        }
        // A right or middle double click is a press like any other.
        if (clicks_ == Clicks::AnyButton || which == 1) armed_ |= which;
        control.MouseDown(which, x, y);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const bool click = (armed_ & pressed_ & which) != 0;
        armed_ &= ~which;
        const bool wasHeld = pressed_ != 0;
        pressed_ &= ~which;
        if (wasHeld && pressed_ == 0) HeldChanged(hwnd);
        if (pressed_ == 0 && GetCapture() == hwnd) ReleaseCapture();
        control.MouseUp(which, x, y);
        RECT rc;
        GetClientRect(hwnd, &rc);
        // A click is a press and a release inside the control.
        if (click && PtInRect(&rc, POINT{wingui::MouseX(lParam), wingui::MouseY(lParam)}))
            control.Click();
        return true;
    }
    case WM_CAPTURECHANGED:
        armed_ = 0;
        if (pressed_ != 0) {
            pressed_ = 0;
            HeldChanged(hwnd);
        }
        return true;
    default:
        return false;
    }
}

SkinnedButtonWindow::SkinnedButtonWindow(controls::ClickableModel& model, std::string name,
                                         int dpi, ButtonMouse::Clicks clicks)
    : SurfaceWindow(dpi), model_(model), name_(std::move(name)), mouse_(clicks) {}

bool SkinnedButtonWindow::CreateButton(const char* className, HWND parent, int id, int x, int y,
                                       int width, int height, const std::function<void()>& load) {
    const DWORD style = model_.TabStop() ? WS_TABSTOP : 0;
    if (!CreateChild(className, parent, id, model_.Caption(), style, x, y, width, height))
        return false;
    MakeButtonAccessible(hwnd_);
    load();  // the enabled state and font reach the window here
    SetTextIfChanged(hwnd_, model_.Caption());
    loaded_ = true;
    ResizeButton(UnscaledLength(width), UnscaledLength(height));
    if (model_.Visible()) ShowWindow(hwnd_, SW_SHOWNA);
    return true;
}

void SkinnedButtonWindow::RunTimer(bool on, int intervalMs) {
    if (!hwnd_) return;
    if (on)
        SetTimer(hwnd_, kTimerId, static_cast<UINT>(intervalMs), nullptr);
    else if (timerOn_)
        KillTimer(hwnd_, kTimerId);
    timerOn_ = on;
}

bool SkinnedButtonWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_SIZE:
        // CreateWindowEx sends one before the design is read; CreateButton sizes the button.
        if (loaded_) ResizeButton(UnscaledLength(LOWORD(lParam)), UnscaledLength(HIWORD(lParam)));
        return true;
    case WM_TIMER:
        if (wParam == kTimerId) TimerTick();
        return true;
    case BM_GETSTATE:
        // As a standard button answers it, for the screen readers (accessible.cpp).
        result = (mouse_.Held() ? BST_PUSHED : 0) | (GetFocus() == hwnd_ ? BST_FOCUS : 0);
        return true;
    default:
        if (mouse_.Handle(hwnd_, msg, lParam, model_.TabStop(), *this, Scale())) return true;
        return SurfaceWindow::HandleMessage(msg, wParam, lParam, result);
    }
}

}  // namespace app::win32
