#include "app/win32/surface_window.h"

namespace app::win32 {

SurfaceWindow::~SurfaceWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool SurfaceWindow::CreateChild(const char* className, HWND parent, int id, const std::string& text,
                                DWORD style, int x, int y, int width, int height) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    return CreateBound(WindowClass{className, CS_DBLCLKS}, instance, 0, text,
                       WS_CHILD | WS_CLIPSIBLINGS | style, x, y, width, height, parent, id);
}

paint::Surface SurfaceWindow::Surface(int width, int height) {
    paint::Surface surface = surface_.Resize(width, height);
    text_.SetDc(surface_.Dc());
    return surface;
}

void SurfaceWindow::PaintOn(HDC dc) {
    if (DrawForPaint()) surface_.Present(dc, 0, 0);
    text_.SetDc(nullptr);
    surface_.Release();
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
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        PaintOn(dc);
        EndPaint(hwnd_, &ps);
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
