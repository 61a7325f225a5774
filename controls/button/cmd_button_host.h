#pragma once
// What the small skinned button needs from whatever hosts it: ambient properties (display name,
// font), its window (font, enabled state), change notification for the form's design data, the
// hover timer, the cursor, and the painting of its look with a text renderer. The Win32 host
// implements it over a child window with SetTimer that paints into a DIB section made for each
// paint; StandaloneCmdButtonHost keeps everything in memory and paints at once, for a button no
// window shows yet and as the base of test doubles.
#include <string>
#include <string_view>

#include "controls/paint/surface.h"
#include "controls/paint/text.h"

namespace controls {

class xpcmdbutton;

struct CursorPoint {
    int x = 0;
    int y = 0;
};

class CmdButtonHost {
public:
    virtual ~CmdButtonHost() = default;

    // Ambient properties.
    virtual std::string DisplayName() const = 0;
    virtual paint::FontInfo AmbientFont() const = 0;

    // The control's window.
    virtual void SetWindowFont(const paint::FontInfo& font) = 0;
    virtual void SetWindowEnabled(bool enabled) = 0;

    // The form's design data changed under this property-bag key.
    virtual void PropertyChanged(std::string_view key) = 0;

    // Timer1: on, ticking every intervalMs milliseconds (SetTimer), or off (KillTimer). Each
    // tick is handed to the control's TimerTick.
    virtual void SetTimer(bool enabled, int intervalMs) = 0;
    // GetCursorPos, then ScreenToClient on the control's window.
    virtual CursorPoint CursorInClient() const = 0;

    // The button's look changed (PaintSkin). The host has the button paint it
    // (xpcmdbutton::Paint) onto a surface of the button's client size: a window marks itself
    // for painting and paints when the system asks, into a surface it frees after the paint; a
    // host without a window paints at once.
    virtual void Invalidate(const xpcmdbutton& button) = 0;
    // Measures the caption, and while the look is painted draws it on the paint's surface.
    virtual paint::TextRenderer* Text() = 0;  // none: the caption is not drawn
};

class StandaloneCmdButtonHost : public CmdButtonHost {
public:
    std::string DisplayName() const override { return {}; }
    paint::FontInfo AmbientFont() const override { return {}; }
    void SetWindowFont(const paint::FontInfo&) override {}
    void SetWindowEnabled(bool) override {}
    void PropertyChanged(std::string_view) override {}
    void SetTimer(bool, int) override {}
    CursorPoint CursorInClient() const override { return {-1, -1}; }
    // Paints the look into SurfacePixels at once.
    void Invalidate(const xpcmdbutton& button) override;
    paint::TextRenderer* Text() override { return nullptr; }

    // The last look painted.
    const paint::PixelBuffer& SurfacePixels() const { return surface_; }
    // A window has taken over: what was painted here before is shown nowhere.
    void ForgetDrawing() { surface_ = paint::PixelBuffer(); }

private:
    paint::PixelBuffer surface_;
};

}  // namespace controls
