#pragma once
// The window of one picture-drawn frame: a child window covering its form's client area, below
// the form's controls, whose text is the frame's caption. It shows the frame's one drawing (the
// form's surface beneath, the pieces over it), hands the mouse input on its pieces to the
// frame, and passes the mouse input on its bare surface on to the form, whose surface it is.
#include <functional>

#include "app/win32/surface_window.h"
#include "controls/frame/frame_host.h"
#include "controls/frame/skinned_frame.h"

namespace app::win32 {

// Twips per pixel at 100% (96 dots per inch), where the skin is laid out and drawn.
inline constexpr float kSkinTwipsPerPixel = 15.0f;

class FrameWindow : public SurfaceWindow, public controls::FrameHost {
public:
    static constexpr const char* kClassName = "DravikXPFrame";

    // Paints the form's own surface (its back colour and what is drawn on it) onto the
    // frame's surface, which covers the client area from its top-left corner.
    using SurfacePainter = std::function<void(paint::Surface&, paint::TextRenderer&)>;
    // A mouse button went down or up (WM_xBUTTONDOWN / UP) at client pixel (x, y) where no piece
    // of the frame is.
    using BareMouse = std::function<void(UINT msg, int x, int y)>;

    FrameWindow(controls::SkinnedFrame& frame, int dpi, SurfacePainter paintBeneath,
                BareMouse bareMouse);
    ~FrameWindow() override;

    bool Create(HWND parent, int id, int x, int y, int width, int height);

    // The form's surface changed (its colour, the label on it): the frame's window paints
    // again, once for however many changes came before.
    void RedrawBeneathChanged();

    // --- FrameHost ---
    // The frame lays itself out in its 100% pixels (SurfaceWindow draws it at the scale).
    float TwipsPerPixelX() const override { return kSkinTwipsPerPixel; }
    float TwipsPerPixelY() const override { return kSkinTwipsPerPixel; }
    float ScreenWidthTwips() const override;
    float ScreenHeightTwips() const override;
    // The frame always covers the client area; it never sizes its window.
    void ControlResized(float, float) override {}
    void DragContainer() override;
    void SetContainerShape(const paint::RegionData& region) override;
    // The program never calls LoadXP, so the frame has no form to reshape.
    controls::FrameForm* ParentForm() override { return nullptr; }
    void ProcessPendingMessages() override { PumpPendingMessages(); }
    // The frame's own size from the window's, in twips at 100%: it lays itself out, draws
    // (the window paints again) and the tool tips follow.
    void LayOutAt(int width, int height) override;
    void PaintBeneath(paint::Surface& s) override;
    // The frame draws only while its window paints, into a surface made for that paint and
    // freed after it: a drawing asked for at any other time marks the window for painting
    // instead. So a frame that does not show costs nothing, and one that shows keeps no
    // window-sized bitmap between paints (about 0.5 MB of private memory at the main window's
    // size) for a picture that is drawn again in well under a millisecond.
    paint::Surface DrawingSurface(int width, int height) override;
    void SurfaceDrawn() override;
    paint::TextRenderer* Text() override { return painting_ ? ControlText() : nullptr; }

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroying() override;
    // The frame draws its present look (Redraw), once its first layout is done.
    bool DrawForPaint() override;
    // The caption buttons' tool tips ("Close"; "Maximize" and "Minimize" while those show): one
    // tool per button over its place, kept where the last layout put the button. Made at the
    // first mouse move over the frame; false when the frame has no caption buttons.
    bool CreateToolTips();
    // Hands a mouse message of the frame to its tool tip, which shows on its own clock.
    void RelayToToolTips(UINT msg, WPARAM wParam, LPARAM lParam);
    void PlaceToolTips();

    controls::SkinnedFrame& frame_;
    SurfacePainter paintBeneath_;
    BareMouse bareMouse_;
    bool painting_ = false;  // inside DrawForPaint: drawings go to the surface; else put off
    bool laidOut_ = false;   // the frame has asked to draw: its first layout is done
    bool barePressed_ = false;  // the last press was on the form's surface, not on a piece
    HWND tips_ = nullptr;       // tooltips_class32 window of the caption buttons
};

// The region of rectangles, as ExtCreateRegion wants them; nullptr when it cannot be made.
HRGN CreateRegion(const paint::RegionData& region);

}  // namespace app::win32
