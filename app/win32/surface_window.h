#pragma once
// The part every skinned control's window shares: a child window of a class with double
// clicks that draws its control while it paints, into a surface made for that paint and freed
// after it, with GDI text for the control's captions. A control keeps no bitmap between paints
// (about 35 KB for a small button, a window's worth for a frame) for a picture drawn again in
// well under a millisecond.
//
// On a screen scaled above 100% a control still lays itself out and draws in its 100% pixels:
// the paint gives it a surface of its 100% size, enlarges that drawing onto the window's real
// pixels by nearest neighbour and draws the captions over it with the fonts of the scale
// (controls/paint/scale.h). Mouse positions reach the control in its 100% pixels, and the
// shapes it gives its window are enlarged the same way.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/paint/scale.h"
#include "wingui/dib_surface.h"
#include "wingui/gdi_text.h"
#include "wingui/window_base.h"

namespace app::win32 {

using wingui::DibSurface;
using wingui::GdiText;
using wingui::WindowBase;

class SurfaceWindow : public WindowBase {
public:
    ~SurfaceWindow() override;

    // The screen's dots per inch changed (WM_DPICHANGED): fonts and scale follow, the window
    // takes its new place (x, y, width, height in its parent's client pixels), and the control
    // lays itself out again there, with the new fonts even where its 100% size stayed.
    void MoveToDpi(int dpi, int x, int y, int width, int height);

protected:
    explicit SurfaceWindow(int dpi) : text_(dpi), scaledText_(text_, paint::ScaleOfDpi(dpi)) {}

    void SetDpi(int dpi);
    // The control's layout for a window of this size in client pixels.
    virtual void LayOutAt(int width, int height) = 0;
    double Scale() const { return scaledText_.Scale(); }
    bool Scaled() const { return Scale() != 1.0; }
    // The text renderer the control measures and draws its captions with.
    paint::TextRenderer* ControlText() {
        if (Scaled()) return &scaledText_;
        return &text_;
    }
    // A client pixel of the window as the control's 100% pixel, and a window length as its
    // 100% length.
    int Unscaled(int x) const { return paint::UnscaledPixel(x, Scale()); }
    float UnscaledF(int x) const { return static_cast<float>(x / Scale()); }
    int UnscaledLength(int length) const { return paint::UnscaledLength(length, Scale()); }

    // Registers the class (once; CS_DBLCLKS, so the second press of a double click arrives as
    // WM_xBUTTONDBLCLK) and creates the child window with this id and text.
    bool CreateChild(const char* className, HWND parent, int id, const std::string& text,
                     DWORD style, int x, int y, int width, int height);

    // The surface of the paint under way at this size (the control's 100% size), with the text
    // renderer drawing into it.
    paint::Surface Surface(int width, int height);
    // WM_PAINT and WM_PRINTCLIENT: the control draws onto the paint's surface (made by Surface);
    // false when it has nothing to show yet, and nothing is shown.
    virtual bool DrawForPaint() = 0;
    // For a control with a show event that draws it: its look changed. A window that shows
    // paints again, once for however many changes came before; one that does not (hidden, or
    // on a form not shown yet) owes the show event to its next WM_PAINT.
    void LookChanged();
    // WM_SHOWWINDOW and WM_PAINT / WM_PRINTCLIENT of such a control; show runs its show event.
    template <typename Show>
    void DrawWhenShown(UINT msg, Show show) {
        if (msg == WM_SHOWWINDOW) {
            // Not visible yet, but about to be when the form shows: this look counts.
            drawingShown_ = IsWindowVisible(GetParent(hwnd_)) != FALSE;
        } else {
            if (!drawingOwed_) return;
            drawingShown_ = true;
        }
        drawingOwed_ = false;
        show();
        drawingShown_ = false;
    }
    // The whole window paints again. Invalidation is a server round trip under Wine; a window
    // that cannot be seen now is painted whole when it is shown.
    void MarkForPaint() {
        if (hwnd_ && IsWindowVisible(hwnd_)) InvalidateRect(hwnd_, nullptr, FALSE);
    }

    // Paints (WM_PAINT, WM_PRINTCLIENT) and leaves the background to the paint
    // (WM_ERASEBKGND). Overrides handle their own messages and pass the rest here.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    DibSurface surface_;
    GdiText text_;
    paint::ScaledText scaledText_;

private:
    // The control draws onto a surface made for this paint, which is shown on dc and freed.
    void PaintOn(HDC dc);

    // At a scale: the 100% drawing of the paint under way, freed after it.
    paint::PixelBuffer unscaled_;
    bool drawingShown_ = false;  // inside DrawWhenShown, for a window that shows
    bool drawingOwed_ = false;   // the show event was put off
};

// The one of `windows` whose window is `hwnd`; null when none is.
SurfaceWindow* FindSurfaceWindow(const std::vector<std::unique_ptr<SurfaceWindow>>& windows, HWND hwnd);

// Runs the messages waiting in this thread's queue (the form runtime's DoEvents). A WM_QUIT
// met on the way is posted again, so that the main loop still ends.
void PumpPendingMessages();

// The form runtime's modifier and button codes: Shift 1, Ctrl 2, Alt 4; left 1, right 2,
// middle 4.
std::int16_t ShiftState();
std::int16_t ButtonsHeld(WPARAM mouseKeys);

}  // namespace app::win32
