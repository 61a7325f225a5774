#pragma once
// What the skinned frame needs from whatever hosts it: the screen's twips per pixel, the
// container window it drags and reshapes, the form LoadXP turns into a borderless window, what
// lies beneath it on the container, a persistent drawing surface and a text renderer. The Win32 host implements it over the form's
// window; StandaloneFrameHost keeps everything in memory, for a frame no window shows yet and as
// the base of test doubles.
#include <cstdint>
#include <string>
#include <vector>

#include "controls/paint/region.h"
#include "controls/paint/surface.h"
#include "controls/paint/text.h"

namespace controls {

// The form that holds the frame, as LoadXP reshapes it. Sizes and positions are in twips.
class FrameForm {
public:
    virtual ~FrameForm() = default;

    virtual std::string Caption() const = 0;
    virtual float Left() const = 0;
    virtual void SetLeft(float twips) = 0;
    virtual float Top() const = 0;
    virtual void SetTop(float twips) = 0;
    virtual float Width() const = 0;
    virtual void SetWidth(float twips) = 0;
    virtual float Height() const = 0;
    virtual void SetHeight(float twips) = 0;
    virtual int BorderStyle() const = 0;  // 0 none; anything else has a system frame

    // GetWindowLongA / SetWindowLongA with GWL_STYLE on the form's window.
    virtual std::uint32_t WindowStyle() const = 0;
    virtual void SetWindowStyle(std::uint32_t style) = 0;
    // SetWindowPos (window, NULL, x, y, cx, cy, SWP_SHOWWINDOW), in pixels.
    virtual void SetWindowPos(int x, int y, int cx, int cy) = 0;
    // SetWindowRgn (window, region, TRUE); the window owns the region from then on.
    virtual void SetWindowShape(const paint::RegionData& region) = 0;
    virtual void Hide() = 0;
};

class FrameHost {
public:
    virtual ~FrameHost() = default;

    // Screen.TwipsPerPixelX / Y, and the screen's size in twips.
    virtual float TwipsPerPixelX() const = 0;
    virtual float TwipsPerPixelY() const = 0;
    virtual float ScreenWidthTwips() const = 0;
    virtual float ScreenHeightTwips() const = 0;

    // The control changed its own size (the minimum size, LoadXP); the host resizes the
    // control's window to match. The control lays itself out; the host must not call Resize back.
    virtual void ControlResized(float widthTwips, float heightTwips) = 0;

    // The title drag: ReleaseCapture, then SendMessageA (container window, WM_NCLBUTTONDOWN,
    // HTCAPTION, 0), after which the window manager moves the window until the button is up.
    virtual void DragContainer() = 0;
    // SetWindowRgn on the container window with redraw on.
    virtual void SetContainerShape(const paint::RegionData& region) = 0;

    // The form that holds the control (LoadXP); none when there is no form.
    virtual FrameForm* ParentForm() = 0;
    // DoEvents: let the pending window messages run.
    virtual void ProcessPendingMessages() = 0;

    // The frame is transparent between its pieces: this paints onto s (the frame's whole
    // drawing surface) what the container shows beneath the control, its back colour and
    // whatever is drawn on its own surface. The frame draws its pieces over it.
    virtual void PaintBeneath(paint::Surface& s) = 0;

    // The persistent drawing surface, width x height pixels; the host keeps it between drawings
    // and makes a new one when the size changes.
    virtual paint::Surface DrawingSurface(int width, int height) = 0;
    // A drawing is complete; the host shows the surface (or invalidates the window).
    virtual void SurfaceDrawn() = 0;
    virtual paint::TextRenderer* Text() = 0;  // none: captions are not drawn
};

class StandaloneFrameHost : public FrameHost {
public:
    float TwipsPerPixelX() const override { return 15.0f; }
    float TwipsPerPixelY() const override { return 15.0f; }
    float ScreenWidthTwips() const override { return 1024 * 15.0f; }
    float ScreenHeightTwips() const override { return 768 * 15.0f; }
    void ControlResized(float, float) override {}
    void DragContainer() override { ++drags_; }
    void SetContainerShape(const paint::RegionData& region) override { shape_ = region; }
    FrameForm* ParentForm() override { return nullptr; }
    void ProcessPendingMessages() override {}
    // No container: the frame's default background colour (0xEAF1F1) shows between the pieces.
    void PaintBeneath(paint::Surface& s) override { s.Clear(0xEAF1F1); }
    paint::Surface DrawingSurface(int width, int height) override {
        return surface_.Sized(width, height);
    }
    void SurfaceDrawn() override {}
    paint::TextRenderer* Text() override { return nullptr; }

    // What a window would show.
    int Drags() const { return drags_; }
    const paint::RegionData& Shape() const { return shape_; }
    const paint::PixelBuffer& SurfacePixels() const { return surface_; }
    // A window has taken over: what was drawn here before is shown nowhere.
    void ForgetDrawing() {
        shape_ = {};
        surface_ = paint::PixelBuffer();
    }

private:
    int drags_ = 0;
    paint::RegionData shape_;
    paint::PixelBuffer surface_;
};

}  // namespace controls
