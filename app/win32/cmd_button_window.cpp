#include "app/win32/cmd_button_window.h"

#include <windowsx.h>

namespace app::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;

}  // namespace

CmdButtonWindow::CmdButtonWindow(controls::xpcmdbutton& button, std::string name, int dpi)
    : SurfaceWindow(dpi), button_(button), name_(std::move(name)) {}

CmdButtonWindow::~CmdButtonWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    button_.SetHost(nullptr);
}

bool CmdButtonWindow::Create(HWND parent, int id, int x, int y, int width, int height,
                             paint::PicturePtr skin, const controls::PropertyBag& design) {
    DWORD style = 0;
    if (button_.TabStop()) style |= WS_TABSTOP;
    if (!CreateChild(kClassName, parent, id, button_.Caption(), style, x, y, width, height))
        return false;
    button_.SetSkin(std::move(skin));
    button_.SetHost(this);
    button_.ReadProperties(design);  // the enabled state reaches the window here
    SetWindowTextA(hwnd_, button_.Caption().c_str());
    loaded_ = true;
    button_.Resize(width, height);
    if (button_.Visible()) ShowWindow(hwnd_, SW_SHOWNA);
    return true;
}

paint::Surface CmdButtonWindow::DrawingSurface(int width, int height) {
    return SurfaceWhenShown(width, height);
}

void CmdButtonWindow::SetWindowEnabled(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled);
}

void CmdButtonWindow::PropertyChanged(std::string_view key) {
    // The caption is the window text, for screen readers and mnemonics alike.
    if (hwnd_ && key == "Caption") SetWindowTextA(hwnd_, button_.Caption().c_str());
}

void CmdButtonWindow::SetTimer(bool enabled, int intervalMs) {
    if (!hwnd_) return;
    if (enabled)
        ::SetTimer(hwnd_, kTimerId, static_cast<UINT>(intervalMs), nullptr);
    else if (timerOn_)
        KillTimer(hwnd_, kTimerId);
    timerOn_ = enabled;
}

controls::CursorPoint CmdButtonWindow::CursorInClient() const {
    POINT pt{};
    GetCursorPos(&pt);
    if (hwnd_) ::ScreenToClient(hwnd_, &pt);
    return {pt.x, pt.y};
}

LRESULT CmdButtonWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const float x = static_cast<float>(GET_X_LPARAM(lParam));
    const float y = static_cast<float>(GET_Y_LPARAM(lParam));
    switch (msg) {
    case WM_SIZE:
        // CreateWindowEx sends one before the design is read; Create sizes the button itself.
        if (loaded_) button_.Resize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SHOWWINDOW:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        // WM_SHOWWINDOW when shown; an owed drawing on paint: the look it has now.
        if (msg != WM_SHOWWINDOW || wParam) DrawWhenShown(msg, [this] { button_.Show(); });
        break;
    case WM_SETTEXT:
        InvalidateRect(hwnd_, nullptr, FALSE);
        break;
    case WM_MOUSEMOVE:
        button_.MouseMove(ButtonsHeld(wParam), ShiftState(), x, y);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        const int which = msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK   ? 2
                          : msg == WM_MBUTTONDOWN || msg == WM_MBUTTONDBLCLK ? 4
                                                                             : 1;
        if (GetFocus() != hwnd_ && button_.TabStop()) SetFocus(hwnd_);
        // The button keeps the mouse until every button is released, so the release comes
        // here wherever it happens.
        SetCapture(hwnd_);
        pressedButtons_ |= which;
        if (msg == WM_LBUTTONDBLCLK) {
            // The second press of a double click (the class has CS_DBLCLKS): the first release
            // clicked already, so the release of this one must not click again.
            clickArmed_ = false;
            button_.DblClick();
        } else {
            if (which == 1) clickArmed_ = true;
            button_.MouseDown(which, ShiftState(), x, y);
        }
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int which = msg == WM_RBUTTONUP ? 2 : msg == WM_MBUTTONUP ? 4 : 1;
        const bool click = which == 1 && clickArmed_ && (pressedButtons_ & 1) != 0;
        if (which == 1) clickArmed_ = false;
        pressedButtons_ &= ~which;
        if (pressedButtons_ == 0 && GetCapture() == hwnd_) ReleaseCapture();
        button_.MouseUp(which, ShiftState(), x, y);
        RECT rc;
        GetClientRect(hwnd_, &rc);
        // A click is a left press and release inside the control.
        if (click && PtInRect(&rc, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
            button_.Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressedButtons_ = 0;
        clickArmed_ = false;
        return 0;
    case WM_TIMER:
        if (wParam == kTimerId) button_.TimerTick();
        return 0;
    case WM_SETFOCUS:
        button_.GotFocus();
        return 0;
    case WM_KILLFOCUS:
        button_.LostFocus();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case WM_KEYDOWN:
        button_.KeyDown(static_cast<int>(wParam), ShiftState());
        return 0;
    case WM_KEYUP:
        button_.KeyUp(static_cast<int>(wParam), ShiftState());
        return 0;
    case WM_CHAR:
        button_.KeyPress(static_cast<int>(wParam));
        return 0;
    case BM_CLICK:
        button_.AccessKeyPress();
        return 0;
    default:
        break;
    }
    return SurfaceWindow::HandleMessage(msg, wParam, lParam);
}

}  // namespace app::win32
