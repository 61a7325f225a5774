#pragma once
// The window of one picture-drawn frame: a child window covering its form's client area, at the
// bottom of the z-order, whose text is the frame's caption. It paints the form's background
// with the frame's pieces on it, hands the mouse input on its pieces to the frame, and passes
// presses on its bare surface on to the form (which drags the window by them).
#include <functional>

#include "app/win32/surface_window.h"
#include "controls/frame/frame_host.h"
#include "controls/frame/skinned_frame.h"

namespace app::win32 {

class FrameWindow : public SurfaceWindow, public controls::FrameHost {
public:
    static constexpr const char* kClassName = "DravikXPFrame";

    // backColor: the form's back colour, which shows between the pieces. barePress: a mouse
    // button went down where no piece is.
    FrameWindow(controls::SkinnedFrame& frame, int dpi, std::function<controls::Color()> backColor,
                std::function<void()> barePress);
    ~FrameWindow() override;

    bool Create(HWND parent, int id, int x, int y, int width, int height);

    // --- FrameHost ---
    float TwipsPerPixelX() const override { return 1440.0f / static_cast<float>(dpi_); }
    float TwipsPerPixelY() const override { return 1440.0f / static_cast<float>(dpi_); }
    float ScreenWidthTwips() const override;
    float ScreenHeightTwips() const override;
    // The frame always covers the client area; it never sizes its window.
    void ControlResized(float, float) override {}
    void DragContainer() override;
    void SetContainerShape(const paint::RegionData& region) override;
    // The program never calls LoadXP, so the frame has no form to reshape.
    controls::FrameForm* ParentForm() override { return nullptr; }
    void ProcessPendingMessages() override { PumpPendingMessages(); }
    paint::Surface DrawingSurface(int width, int height) override { return Surface(width, height); }
    void SurfaceDrawn() override { Invalidate(); }
    paint::TextRenderer* Text() override { return &text_; }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Paint();

    controls::SkinnedFrame& frame_;
    int dpi_;
    std::function<controls::Color()> backColor_;
    std::function<void()> barePress_;
};

// The region of rectangles, as ExtCreateRegion wants them; nullptr when it cannot be made.
HRGN CreateRegion(const paint::RegionData& region);

}  // namespace app::win32
