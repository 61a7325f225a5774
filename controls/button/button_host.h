#pragma once
// What the push button needs from whatever hosts it: the form runtime's ambient properties, the
// hosting window (font, cursor, enabled state, shape), change notification for the form's
// design data, the painting of its look and a text renderer, and for mouse and keyboard
// handling a timer, the cursor and window queries, mouse capture and focus movement. The Win32
// host implements it over a window that paints into a DIB section made for each paint;
// StandaloneButtonHost keeps everything in memory and paints at once, for a button no window
// shows yet and as the base of test doubles.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/button/button_colors.h"
#include "controls/paint/picture.h"
#include "controls/paint/region.h"
#include "controls/paint/surface.h"
#include "controls/paint/text.h"

namespace controls {

class PellXPButton;

// The parent's pixels and where the button sits on them (ButtonType 11).
// A point in pixels, on the screen or in the button's client area.
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct ParentPixels {
    paint::Surface pixels;
    int left = 0;  // the button's position in the parent's client area, in pixels
    int top = 0;
};

class ButtonHost {
public:
    virtual ~ButtonHost() = default;

    // Ambient properties.
    virtual bool UserMode() const = 0;  // False in the form designer (design mode)
    virtual std::string DisplayName() const = 0;
    virtual bool IsDefaultButton() const = 0;  // a host without that notion says False
    virtual const SystemColors& SysColors() const = 0;
    virtual Rgb ParentBackColor() const = 0;  // the parent's drawing context, ColorScheme 4
    virtual Rgb ParentTextColor() const = 0;

    // The hosting window. Nothing here throws (the program is built without exceptions): a
    // value the window cannot take (say, a cursor it cannot make) is kept and otherwise ignored.
    virtual paint::FontInfo Font() const = 0;
    virtual void SetFont(const paint::FontInfo& font) = 0;
    virtual std::int16_t MousePointer() const = 0;
    virtual void SetMousePointer(std::int16_t pointer) = 0;
    virtual paint::PicturePtr MouseIcon() const = 0;
    virtual void SetMouseIcon(paint::PicturePtr icon) = 0;
    virtual void SetWindowEnabled(bool enabled) = 0;
    virtual std::intptr_t WindowHandle() const = 0;
    virtual void SetWindowShape(const paint::RegionData& region) = 0;  // redraws the window

    // The form's design data changed under this property-bag key.
    virtual void PropertyChanged(std::string_view key) = 0;

    // The button's look changed (DrawButton). The host has the button paint it
    // (PellXPButton::Paint) onto a surface of the button's client size: a window marks itself
    // for painting and paints when the system asks, once for however many changes came before,
    // into a surface it frees after the paint; a host without a window paints at once.
    virtual void Invalidate(const PellXPButton& button) = 0;
    // Measures captions, and while the look is painted draws them on the paint's surface.
    virtual paint::TextRenderer* Text() = 0;  // none: captions are not drawn

    // ButtonType 11's background capture: the control's height in pixels is set to 0 so that
    // the parent repaints the covered area, pending messages are processed, the parent's pixels
    // are read, and the height is set back.
    virtual void SetControlHeight(int heightPixels) = 0;
    virtual void ProcessPendingMessages() = 0;
    virtual std::optional<ParentPixels> ParentClientPixels() = 0;

    // An image list for ImageIndex; pictures are numbered from 1. None by default.
    virtual int ImageCount() const = 0;
    virtual paint::PicturePtr Image(int index) const = 0;

    // Input. The hover timer: one per button; after StartTimer the host calls
    // PellXPButton::OnTimer every interval until StopTimer. Starting it again while it runs
    // only sets the interval.
    virtual void StartTimer(int intervalMs) = 0;
    virtual void StopTimer() = 0;
    // The cursor in screen coordinates (GetCursorPos).
    virtual Point CursorPos() const = 0;
    // The window under a screen point (WindowFromPoint); 0 for none. Like the real call it
    // honours window shapes: outside the shape given to SetWindowShape the button's window is
    // not found.
    virtual std::intptr_t WindowFromPoint(Point screen) const = 0;
    // A screen point in the button's client coordinates (ScreenToClient).
    virtual Point ScreenToClient(Point screen) const = 0;
    // Mouse input goes to the button's window until the buttons are released (SetCapture).
    virtual void CaptureMouse() = 0;
    // The focus moves to the next (forward) or previous control in the form's tab order, as the
    // Tab and Shift+Tab keys move it; nothing happens when no other control takes the focus.
    virtual void MoveFocus(bool forward) = 0;
    // Makes the last drawing visible now rather than at the next paint (UpdateWindow).
    virtual void UpdateNow() = 0;
};

class StandaloneButtonHost : public ButtonHost {
public:
    explicit StandaloneButtonHost(paint::FontInfo font = {}) : font_(std::move(font)) {}

    bool UserMode() const override { return true; }
    std::string DisplayName() const override { return {}; }
    bool IsDefaultButton() const override { return false; }
    const SystemColors& SysColors() const override { return sys_; }
    Rgb ParentBackColor() const override { return 0xFFFFFF; }
    Rgb ParentTextColor() const override { return 0; }

    paint::FontInfo Font() const override { return font_; }
    void SetFont(const paint::FontInfo& font) override { font_ = font; }
    std::int16_t MousePointer() const override { return mousePointer_; }
    void SetMousePointer(std::int16_t pointer) override { mousePointer_ = pointer; }
    paint::PicturePtr MouseIcon() const override { return mouseIcon_; }
    void SetMouseIcon(paint::PicturePtr icon) override { mouseIcon_ = std::move(icon); }
    void SetWindowEnabled(bool enabled) override { windowEnabled_ = enabled; }
    std::intptr_t WindowHandle() const override { return 0; }
    void SetWindowShape(const paint::RegionData& region) override { shape_ = region; }

    void PropertyChanged(std::string_view) override {}

    // Paints the look into SurfacePixels at once.
    void Invalidate(const PellXPButton& button) override;
    paint::TextRenderer* Text() override { return nullptr; }

    void SetControlHeight(int) override {}
    void ProcessPendingMessages() override {}
    std::optional<ParentPixels> ParentClientPixels() override { return std::nullopt; }

    int ImageCount() const override { return 0; }
    paint::PicturePtr Image(int) const override { return nullptr; }

    // No window: no timer, nothing under the cursor, no focus to move.
    void StartTimer(int intervalMs) override { timerInterval_ = intervalMs; }
    void StopTimer() override { timerInterval_ = 0; }
    Point CursorPos() const override { return {}; }
    std::intptr_t WindowFromPoint(Point) const override { return 0; }
    Point ScreenToClient(Point screen) const override { return screen; }
    void CaptureMouse() override {}
    void MoveFocus(bool) override {}
    void UpdateNow() override {}

    // What a window would show: the last look painted.
    bool WindowEnabled() const { return windowEnabled_; }
    const paint::RegionData& Shape() const { return shape_; }
    const paint::PixelBuffer& SurfacePixels() const { return surface_; }
    // A window has taken over: what was painted here before is shown nowhere.
    void ForgetDrawing() {
        shape_ = {};
        surface_ = paint::PixelBuffer();
    }
    // The interval of the running timer; 0 while it is stopped.
    int TimerInterval() const { return timerInterval_; }

protected:
    SystemColors sys_ = SystemColors::Classic();

private:
    paint::FontInfo font_;
    std::int16_t mousePointer_ = 0;
    paint::PicturePtr mouseIcon_;
    bool windowEnabled_ = true;
    paint::RegionData shape_;
    paint::PixelBuffer surface_;
    int timerInterval_ = 0;
};

}  // namespace controls
