#include "app/win32/button_window.h"

#include "app/win32/frame_window.h"

#include "platform/win32/scoped.h"
#include "wingui/mouse_position.h"

namespace app::win32 {
namespace {

controls::SystemColors ReadSystemColors() {
    controls::SystemColors colors;
    for (int i = 0; i < static_cast<int>(colors.colors.size()); ++i)
        colors.colors[static_cast<std::size_t>(i)] = static_cast<paint::Rgb>(GetSysColor(i));
    return colors;
}

}  // namespace

ButtonWindow::ButtonWindow(controls::PellXPButton& button, std::string name, int dpi)
    : SkinnedButtonWindow(button, std::move(name), dpi, ButtonMouse::Clicks::AnyButton),
      button_(button), sysColors_(ReadSystemColors()) {
    font_.name = button.FontName();
    // The caption is laid out to fit the button; its last glyph must not lose what reaches past
    // its measure (the web-site button's "www.example.org").
    text_.SetClipToBox(false);
}

ButtonWindow::~ButtonWindow() {
    // Gone while this object is whole, so that the last messages still reach the button.
    if (hwnd_) DestroyWindow(hwnd_);
    button_.SetHost(nullptr);
}

bool ButtonWindow::Create(HWND parent, int id, int x, int y, int width, int height,
                          const controls::PropertyBag& design, DesignRead read) {
    return CreateButton(kClassName, parent, id, x, y, width, height, [&] {
        button_.SetHost(this);
        if (read == DesignRead::Whole) button_.ReadProperties(design);
        else button_.ReadDesign(design);
    });
}

namespace {

// The colour the parent's drawing context holds now (its back or its text colour).
COLORREF ParentDcColor(HWND window, bool text, COLORREF fallback) {
    HWND parent = window ? GetParent(window) : nullptr;
    if (!parent) return fallback;
    const platform::win32::WindowDc dc(parent);
    if (!dc) return fallback;
    return text ? GetTextColor(dc.Get()) : GetBkColor(dc.Get());
}

}  // namespace

paint::Rgb ButtonWindow::ParentBackColor() const {
    return static_cast<paint::Rgb>(ParentDcColor(hwnd_, false, GetSysColor(COLOR_BTNFACE)));
}

paint::Rgb ButtonWindow::ParentTextColor() const {
    return static_cast<paint::Rgb>(ParentDcColor(hwnd_, true, GetSysColor(COLOR_BTNTEXT)));
}

void ButtonWindow::SetWindowEnabled(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled);
}

void ButtonWindow::SetWindowShape(const paint::RegionData& region) {
    if (!hwnd_) return;
    HRGN rgn = CreateRegion(paint::ScaledRegion(region, Scale()));
    // The window owns the region from here on, also the one it replaces.
    if (rgn && !SetWindowRgn(hwnd_, rgn, TRUE)) DeleteObject(rgn);
}

void ButtonWindow::PropertyChanged(std::string_view key) {
    // The caption is the window text, for screen readers and mnemonics alike.
    if (key == "TX") SetTextIfChanged(hwnd_, button_.Caption());
}

bool ButtonWindow::DrawForPaint() {
    paint::Surface s = Surface(button_.ClientWidth(), button_.ClientHeight());
    return s.Width() > 0 && button_.Paint(s);
}

void ButtonWindow::SetControlHeight(int heightPixels) {
    if (!hwnd_) return;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    SetWindowPos(hwnd_, nullptr, 0, 0, rc.right, paint::ScaledEdge(heightPixels, Scale()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ButtonWindow::ProcessPendingMessages() { PumpPendingMessages(); }

std::optional<controls::ParentPixels> ButtonWindow::ParentClientPixels() {
    // Only ButtonType 11 asks, and no form of this program uses it.
    return std::nullopt;
}

void ButtonWindow::StartTimer(int intervalMs) { RunTimer(true, intervalMs); }

void ButtonWindow::StopTimer() { RunTimer(false, 0); }

controls::Point ButtonWindow::CursorPos() const {
    POINT pt{};
    GetCursorPos(&pt);
    return {pt.x, pt.y};
}

std::intptr_t ButtonWindow::WindowFromPoint(controls::Point screen) const {
    return reinterpret_cast<std::intptr_t>(::WindowFromPoint(POINT{screen.x, screen.y}));
}

controls::Point ButtonWindow::ScreenToClient(controls::Point screen) const {
    POINT pt{screen.x, screen.y};
    if (hwnd_) ::ScreenToClient(hwnd_, &pt);
    return {Unscaled(pt.x), Unscaled(pt.y)};
}

void ButtonWindow::CaptureMouse() {
    if (hwnd_) SetCapture(hwnd_);
}

void ButtonWindow::MoveFocus(bool forward) {
    if (!hwnd_) return;
    HWND parent = GetParent(hwnd_);
    HWND next = GetNextDlgTabItem(parent, hwnd_, forward ? FALSE : TRUE);
    if (next && next != hwnd_) SetFocus(next);
}

void ButtonWindow::UpdateNow() {
    if (hwnd_) UpdateWindow(hwnd_);
}

void ButtonWindow::MouseDown(int which, float x, float y) {
    button_.OnMouseDown(static_cast<std::int16_t>(which), ShiftState(), x, y);
}

void ButtonWindow::MouseUp(int which, float x, float y) {
    button_.OnMouseUp(static_cast<std::int16_t>(which), ShiftState(), x, y);
}

bool ButtonWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wParam) DrawWhenShown(msg, [this] { button_.Show(); });
        else button_.Hide();
        return false;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        DrawWhenShown(msg, [this] { button_.Show(); });  // an owed drawing: the look it has now
        break;
    case WM_MOUSEMOVE:
        button_.OnMouseMove(ButtonsHeld(wParam), ShiftState(), UnscaledF(wingui::MouseX(lParam)),
                            UnscaledF(wingui::MouseY(lParam)));
        return true;
    case WM_SETFOCUS: button_.OnGotFocus(); return true;
    case WM_KILLFOCUS: button_.OnLostFocus(); return true;
    case WM_GETDLGCODE:
        // A button to the dialog manager, so that its mnemonic sends BM_CLICK; the arrow keys
        // are the button's own (they move the focus), Tab stays with the dialog manager.
        result = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_WANTARROWS;
        return true;
    case WM_KEYDOWN: button_.OnKeyDown(static_cast<std::int16_t>(wParam), ShiftState()); return true;
    case WM_KEYUP: button_.OnKeyUp(static_cast<std::int16_t>(wParam), ShiftState()); return true;
    case WM_CHAR: button_.OnKeyPress(static_cast<std::int16_t>(wParam)); return true;
    case BM_CLICK:
        // The access key: the dialog manager found the caption's "&" letter.
        button_.OnAccessKey(0);
        return true;
    case WM_ENABLE:
        InvalidateRect(hwnd_, nullptr, FALSE);
        return true;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        sysColors_ = ReadSystemColors();
        button_.OnAmbientChanged("SysColors");
        return true;
    default:
        break;
    }
    return SkinnedButtonWindow::HandleMessage(msg, wParam, lParam, result);
}

}  // namespace app::win32
