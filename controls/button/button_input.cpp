// The push button's reaction to mouse, keyboard and focus. The host turns its window's messages
// into these calls; every change of state ends in DrawButton.
//
// Hover works by polling: a window gets no message when the cursor leaves it quickly, for a
// window that covers it, or while another window holds the capture, so from the first mouse
// move over the button until the cursor is seen elsewhere a short timer asks where the cursor
// is. The platform rounds the 3 ms up to its timer resolution (10 ms or more on Windows).
#include "controls/button/pell_xp_button.h"

namespace controls {

namespace {

constexpr std::int16_t kLeft = 1;
constexpr std::int16_t kRight = 2;

// Key codes (the platform's virtual keys).
constexpr std::int16_t kKeySpace = 32;
constexpr std::int16_t kKeyLeft = 37;
constexpr std::int16_t kKeyUp = 38;
constexpr std::int16_t kKeyRight = 39;
constexpr std::int16_t kKeyDown = 40;

}  // namespace

void PellXPButton::Raise(ButtonEvent e) {
    if (onEvent) onEvent(e);
}

void PellXPButton::RaiseMouse(ButtonEventId id, std::int16_t button, std::int16_t shift, float x,
                              float y) {
    ButtonEvent e;
    e.id = id;
    e.button = button;
    e.shift = shift;
    e.x = x;
    e.y = y;
    Raise(e);
}

void PellXPButton::RaiseClick() {
    Raise(ButtonEvent{ButtonEventId::Click});
    if (onClick) onClick();
}

void PellXPButton::SetOverTimer(bool on) {
    overTimer_ = on;
    if (on)
        host_->StartTimer(kOverTimerInterval);
    else
        host_->StopTimer();
}

bool PellXPButton::IsMouseOver() const {
    const std::intptr_t own = host_->WindowHandle();
    if (own == 0) return false;  // no window shows the button yet
    const Point cursor = host_->CursorPos();
    if (host_->WindowFromPoint(cursor) != own) return false;
    // Windows already leaves the outside of a window's region to the window beneath; the shape
    // is tested here as well so that the cut corners and the outside of the ellipse do not
    // count on a host whose windows are plain rectangles.
    const Point client = host_->ScreenToClient(cursor);
    return region_.Contains(client.x, client.y);
}

void PellXPButton::OnTimer() {
    // WM_TIMER is generated when the queue is read, so a tick may still come in after the
    // timer was killed; only a running timer's tick counts.
    if (!overTimer_) return;
    if (IsMouseOver()) return;
    SetOverTimer(false);
    mouseIsOver_ = false;
    DrawButton(0, true);
    Raise(ButtonEvent{ButtonEventId::MouseOut});
}

void PellXPButton::OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    RaiseMouse(ButtonEventId::MouseMove, button, shift, x, y);
    if (button != 0 && button != kLeft) return;
    if (IsMouseOver()) {
        if (button == 0 && !mouseIsOver_) {
            SetOverTimer(true);
            mouseIsOver_ = true;
            DrawButton(0, true);
            Raise(ButtonEvent{ButtonEventId::MouseOver});
        } else if (button == kLeft) {
            // Pressed and over: the down look in the hover palette. The flag goes down again,
            // so the first move without a button after the drag reports MouseOver anew.
            mouseIsOver_ = true;
            DrawButton(2, false);
            mouseIsOver_ = false;
        }
    } else {
        // Dragged off while the window holds the capture: the button comes up.
        DrawButton(0, false);
    }
}

void PellXPButton::OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
    RaiseMouse(ButtonEventId::MouseDown, button, shift, x, y);
    lastMouseButton_ = static_cast<std::uint8_t>(button);
    if (button != kRight) DrawButton(2, false);
}

void PellXPButton::OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
    RaiseMouse(ButtonEventId::MouseUp, button, shift, x, y);
    if (button != kRight) DrawButton(0, false);
}

void PellXPButton::OnClick() {
    if (lastMouseButton_ != kLeft || !Enabled()) return;
    if (checkBox_) SetValue(!value_);
    DrawButton(0, true);
    host_->UpdateNow();
    RaiseClick();
}

void PellXPButton::OnDblClick() {
    if (lastMouseButton_ != kLeft) return;
    // The second press comes as a double click instead of a press: it is made a press, and the
    // capture a press would have taken is taken here, so the release still reaches the button.
    OnMouseDown(kLeft, 0, 0, 0);
    host_->CaptureMouse();
}

void PellXPButton::OnAccessKey(std::int16_t) {
    lastMouseButton_ = kLeft;
    OnClick();
}

void PellXPButton::OnKeyDown(std::int16_t keyCode, std::int16_t shift) {
    ButtonEvent e;
    e.id = ButtonEventId::KeyDown;
    e.shift = shift;
    e.key = keyCode;
    Raise(e);
    // LastKeyCode is a byte; the keys handled here are all below 256, and a larger code is not
    // one of them, so it is neither stored nor acted on.
    if (keyCode < 0 || keyCode > 255) return;
    lastKeyCode_ = static_cast<std::uint8_t>(keyCode);
    switch (keyCode) {
    case kKeySpace: DrawButton(2, false); break;
    case kKeyLeft:
    case kKeyUp: host_->MoveFocus(false); break;
    case kKeyRight:
    case kKeyDown: host_->MoveFocus(true); break;
    default: break;
    }
}

void PellXPButton::OnKeyPress(std::int16_t keyAscii) {
    ButtonEvent e;
    e.id = ButtonEventId::KeyPress;
    e.key = keyAscii;
    Raise(e);
}

void PellXPButton::OnKeyUp(std::int16_t keyCode, std::int16_t shift) {
    ButtonEvent e;
    e.id = ButtonEventId::KeyUp;
    e.shift = shift;
    e.key = keyCode;
    Raise(e);
    // Only a space release whose press was the last key down clicks: space, another key, then
    // releasing space does nothing.
    if (lastKeyCode_ != kKeySpace || keyCode != kKeySpace) return;
    if (checkBox_) SetValue(!value_);
    DrawButton(0, false);
    host_->UpdateNow();
    RaiseClick();
}

void PellXPButton::OnGotFocus() {
    hasFocus_ = true;
    DrawButton(lastState_, true);
}

void PellXPButton::OnLostFocus() {
    hasFocus_ = false;
    DrawButton(lastState_, true);
}

void PellXPButton::OnAmbientChanged(std::string_view) {
    // ColorScheme 2 takes its palette from the button's own colours only.
    if (colorScheme_ == 2) return;
    ApplySetColors();
    DrawButton(lastState_, true);
}

}  // namespace controls
