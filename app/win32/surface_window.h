#pragma once
// The part every skinned control's window shares: a child window of a class with double
// clicks, a drawing surface shown by WM_PAINT, and GDI text for the control's captions.
#include <windows.h>

#include <string>

#include "app/win32/dib_surface.h"
#include "app/win32/gdi_text.h"
#include "app/win32/window_base.h"

namespace app::win32 {

class SurfaceWindow : public WindowBase {
public:
    ~SurfaceWindow() override;

protected:
    explicit SurfaceWindow(int dpi) : text_(dpi) {}

    // Registers the class (once; CS_DBLCLKS, so the second press of a double click arrives as
    // WM_xBUTTONDBLCLK) and creates the child window with this id and text.
    bool CreateChild(const char* className, HWND parent, int id, const std::string& text,
                     DWORD style, int x, int y, int width, int height);

    // The surface at this size, with the text renderer drawing into it.
    paint::Surface Surface(int width, int height);
    // Frees the surface and the text renderer's hold on it; the next Surface makes it anew.
    void ReleaseSurface();
    // For a control that draws on demand (its show event draws it): the surface while the
    // window shows, or while Show runs on WM_SHOWWINDOW of a shown form or on WM_PAINT; none
    // otherwise, and the drawing is owed to the next WM_PAINT. So a control that does not show
    // makes no surface and draws nothing, and one shown draws once for all changes before.
    paint::Surface SurfaceWhenShown(int width, int height);
    // WM_SHOWWINDOW and WM_PAINT / WM_PRINTCLIENT of such a control; show runs its show event.
    template <typename Show>
    void DrawWhenShown(UINT msg, Show show) {
        if (msg == WM_SHOWWINDOW) {
            // Not visible yet, but about to be when the form shows: this drawing counts.
            drawingShown_ = IsWindowVisible(GetParent(hwnd_)) != FALSE;
        } else {
            if (!drawingOwed_) return;
            drawingShown_ = true;
        }
        drawingOwed_ = false;
        show();
        drawingShown_ = false;
    }
    void Invalidate() {
        if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
    }

    // Paints the surface (WM_PAINT, WM_PRINTCLIENT) and leaves the background to it
    // (WM_ERASEBKGND). Overrides handle their own messages and pass the rest here.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    DibSurface surface_;
    GdiText text_;

private:
    bool drawingShown_ = false;  // inside DrawWhenShown, drawing for a window that shows
    bool drawingOwed_ = false;   // a drawing was put off
};

// Runs the messages waiting in this thread's queue (the form runtime's DoEvents). A WM_QUIT
// met on the way is posted again, so that the main loop still ends.
void PumpPendingMessages();

// The form runtime's modifier and button codes: Shift 1, Ctrl 2, Alt 4; left 1, right 2,
// middle 4.
std::int16_t ShiftState();
std::int16_t ButtonsHeld(WPARAM mouseKeys);

}  // namespace app::win32
