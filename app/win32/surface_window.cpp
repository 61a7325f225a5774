#include "app/win32/surface_window.h"

#include <algorithm>

namespace app::win32 {

using platform::win32::WindowDc;
using wingui::WindowClass;

SurfaceWindow::~SurfaceWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool SurfaceWindow::CreateChild(const char* className, HWND parent, int id, const std::string& text,
                                DWORD style, int x, int y, int width, int height) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    return CreateBound(WindowClass{className, CS_DBLCLKS}, instance, 0, text,
                       WS_CHILD | WS_CLIPSIBLINGS | style, x, y, width, height, parent, id);
}

void SurfaceWindow::SetDpi(int dpi) {
    text_.SetDpi(dpi);
    scaledText_.SetScale(paint::ScaleOfDpi(dpi));
}

void SurfaceWindow::MoveToDpi(int dpi, int x, int y, int width, int height) {
    SetDpi(dpi);
    if (!hwnd_) return;
    SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutAt(width, height);
    MarkForPaint();
}

paint::Surface SurfaceWindow::Surface(int width, int height) {
    if (!Scaled()) {
        paint::Surface surface = surface_.Resize(width, height);
        text_.SetDc(surface_.Dc());
        return surface;
    }
    // The window's own size: the control's 100% size scaled, give or take the rounding of
    // the window's size from twips.
    RECT rc{0, 0, 0, 0};
    if (hwnd_) GetClientRect(hwnd_, &rc);
    const int w = std::max<int>(rc.right, paint::ScaledEdge(width, Scale()));
    const int h = std::max<int>(rc.bottom, paint::ScaledEdge(height, Scale()));
    if (surface_.Resize(w, h).Width() == 0) return {};
    text_.SetDc(surface_.Dc());
    scaledText_.Forget();
    return unscaled_.Sized(width, height);
}

void SurfaceWindow::PaintOn(HDC dc) {
    if (DrawForPaint()) {
        if (Scaled()) {
            paint::Surface shown = surface_.View();
            paint::UpscalePixels(unscaled_.View(), shown, Scale());
            GdiFlush();
            scaledText_.Replay(shown);
        }
        surface_.Present(dc, 0, 0);
    }
    scaledText_.Forget();
    text_.SetDc(nullptr);
    surface_.Release();
    unscaled_ = paint::PixelBuffer();
}

void SurfaceWindow::LookChanged() {
    if (!drawingShown_ && !(hwnd_ && IsWindowVisible(hwnd_))) {
        drawingOwed_ = true;
        return;
    }
    MarkForPaint();
}

bool SurfaceWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
    case WM_PAINT: {
        // The paint covers the whole window, which has no frame of its own and no caret: a DC
        // of the window and the update region then validated do what BeginPaint would. Under
        // Wine, BeginPaint and EndPaint cost some twenty round trips to the server (update
        // region, caret, non-client area, visible region), the DC and the validation ten.
        // Validated first: an invalidation that comes while the drawing runs (a model that
        // changes in between) then leaves a new update region and another WM_PAINT, where
        // validating afterwards would drop it.
        ValidateRect(hwnd_, nullptr);
        if (const WindowDc dc(hwnd_); dc) PaintOn(dc.Get());
        result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        // PrintWindow and the like: the same picture WM_PAINT shows.
        PaintOn(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    case WM_ERASEBKGND:
        result = 1;  // the paint covers the whole client area
        return true;
    default:
        return false;
    }
}

SurfaceWindow* FindSurfaceWindow(const std::vector<std::unique_ptr<SurfaceWindow>>& windows, HWND hwnd) {
    for (const auto& window : windows)
        if (window->Handle() == hwnd) return window.get();
    return nullptr;
}

void PumpPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::int16_t ShiftState() {
    std::int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

std::int16_t ButtonsHeld(WPARAM mouseKeys) {
    std::int16_t buttons = 0;
    if (mouseKeys & MK_LBUTTON) buttons |= 1;
    if (mouseKeys & MK_RBUTTON) buttons |= 2;
    if (mouseKeys & MK_MBUTTON) buttons |= 4;
    return buttons;
}

}  // namespace app::win32
