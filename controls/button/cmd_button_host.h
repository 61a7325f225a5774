#pragma once
// What the small skinned button needs from whatever hosts it: ambient properties (display name,
// font), its window (font, enabled state), change notification for the form's design data, the
// hover timer, the cursor, and a persistent drawing surface with a text renderer. The Win32 host
// implements it over a child window with SetTimer and a DIB section; StandaloneCmdButtonHost
// keeps everything in memory, for a button no window shows yet and as the base of test doubles.
#include <string>
#include <string_view>

#include "controls/paint/surface.h"
#include "controls/paint/text.h"

namespace controls {

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

    // The persistent drawing surface, width x height pixels; the host keeps it between drawings
    // and makes a new one when the size changes.
    virtual paint::Surface DrawingSurface(int width, int height) = 0;
    // A drawing is complete; the host shows the surface (or invalidates the window).
    virtual void SurfaceDrawn() = 0;
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
    paint::Surface DrawingSurface(int width, int height) override {
        return surface_.Sized(width, height);
    }
    void SurfaceDrawn() override {}
    paint::TextRenderer* Text() override { return nullptr; }

    const paint::PixelBuffer& SurfacePixels() const { return surface_; }

private:
    paint::PixelBuffer surface_;
};

}  // namespace controls
