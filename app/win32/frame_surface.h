#pragma once
// The picture-drawn frame's host: the frame covers the main window's client area and has no
// window of its own. The main window paints its background and then the visible frame onto one
// drawing surface, and hands the frame the mouse input that lands on its pieces.
#include <windows.h>

#include "app/win32/dib_surface.h"
#include "app/win32/gdi_text.h"
#include "app/win32/surface_window.h"
#include "controls/frame/frame_host.h"

namespace app::win32 {

class FrameSurface : public controls::FrameHost {
public:
    explicit FrameSurface(int dpi) : dpi_(dpi), text_(dpi) {}
    void Attach(HWND window) { window_ = window; }

    // The surface at the client size, for the window to paint on.
    paint::Surface Surface(int width, int height);
    void Present(HDC target) const { surface_.Present(target, 0, 0); }

    // --- FrameHost ---
    float TwipsPerPixelX() const override { return 1440.0f / static_cast<float>(dpi_); }
    float TwipsPerPixelY() const override { return 1440.0f / static_cast<float>(dpi_); }
    float ScreenWidthTwips() const override;
    float ScreenHeightTwips() const override;
    // The frame always covers the client area; it never sizes the window.
    void ControlResized(float, float) override {}
    void DragContainer() override;
    void SetContainerShape(const paint::RegionData& region) override;
    // The program never calls LoadXP, so the frame has no form to reshape.
    controls::FrameForm* ParentForm() override { return nullptr; }
    void ProcessPendingMessages() override;
    paint::Surface DrawingSurface(int width, int height) override { return Surface(width, height); }
    void SurfaceDrawn() override;
    paint::TextRenderer* Text() override { return &text_; }

private:
    int dpi_;
    HWND window_ = nullptr;
    DibSurface surface_;
    GdiText text_;
};

// The region of rectangles, as ExtCreateRegion wants them; nullptr when it cannot be made.
HRGN CreateRegion(const paint::RegionData& region);

}  // namespace app::win32
