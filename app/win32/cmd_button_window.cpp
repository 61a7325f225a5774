#include "app/win32/cmd_button_window.h"

#include "wingui/mouse_position.h"

namespace app::win32 {

// Only a left press and release inside clicks: the button itself raises Click for any.
CmdButtonWindow::CmdButtonWindow(controls::xpcmdbutton& button, std::string name, int dpi)
    : SkinnedButtonWindow(button, std::move(name), dpi, ButtonMouse::Clicks::LeftButton),
      button_(button) {}

CmdButtonWindow::~CmdButtonWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    button_.SetHost(nullptr);
}

bool CmdButtonWindow::Create(HWND parent, int id, int x, int y, int width, int height,
                             paint::PicturePtr skin, const controls::PropertyBag& design,
                             DesignRead read) {
    return CreateButton(kClassName, parent, id, x, y, width, height, [&] {
        button_.SetSkin(std::move(skin));
        button_.SetHost(this);
        if (read == DesignRead::Whole) button_.ReadProperties(design);
        else button_.ReadDesign(design);
    });
}

bool CmdButtonWindow::DrawForPaint() {
    paint::Surface s = Surface(button_.ClientWidth(), button_.ClientHeight());
    return s.Width() > 0 && button_.Paint(s);
}

void CmdButtonWindow::SetWindowEnabled(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled);
}

void CmdButtonWindow::PropertyChanged(std::string_view key) {
    // The caption is the window text, for screen readers and mnemonics alike.
    if (key == "Caption") SetTextIfChanged(hwnd_, button_.Caption());
}

controls::CursorPoint CmdButtonWindow::CursorInClient() const {
    POINT pt{};
    GetCursorPos(&pt);
    if (hwnd_) ::ScreenToClient(hwnd_, &pt);
    return {Unscaled(pt.x), Unscaled(pt.y)};
}

void CmdButtonWindow::MouseDown(int which, float x, float y) {
    button_.MouseDown(which, ShiftState(), x, y);
}

void CmdButtonWindow::MouseUp(int which, float x, float y) {
    button_.MouseUp(which, ShiftState(), x, y);
}

bool CmdButtonWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_SHOWWINDOW:
    case WM_PAINT:
    case WM_PRINTCLIENT:
        // WM_SHOWWINDOW when shown; an owed drawing on paint: the look it has now.
        if (msg != WM_SHOWWINDOW || wParam) DrawWhenShown(msg, [this] { button_.Show(); });
        break;
    case WM_SETTEXT:
        InvalidateRect(hwnd_, nullptr, FALSE);
        return false;
    case WM_MOUSEMOVE:
        button_.MouseMove(ButtonsHeld(wParam), ShiftState(), UnscaledF(wingui::MouseX(lParam)),
                          UnscaledF(wingui::MouseY(lParam)));
        return true;
    case WM_SETFOCUS: button_.GotFocus(); return true;
    case WM_KILLFOCUS: button_.LostFocus(); return true;
    case WM_GETDLGCODE: result = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON; return true;
    case WM_KEYDOWN: button_.KeyDown(static_cast<int>(wParam), ShiftState()); return true;
    case WM_KEYUP: button_.KeyUp(static_cast<int>(wParam), ShiftState()); return true;
    case WM_CHAR: button_.KeyPress(static_cast<int>(wParam)); return true;
    case BM_CLICK: button_.AccessKeyPress(); return true;
    default: break;
    }
    return SkinnedButtonWindow::HandleMessage(msg, wParam, lParam, result);
}

}  // namespace app::win32
