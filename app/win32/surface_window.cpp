#include "app/win32/surface_window.h"
#include "app/win32/window_binding.h"

namespace app::win32 {

SurfaceWindow::~SurfaceWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool SurfaceWindow::CreateChild(const char* className, HWND parent, int id, const std::string& text,
                                DWORD style, int x, int y, int width, int height) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    CreateWindowExA(0, className, text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, x, y, width,
                    height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                    this);
    return hwnd_ != nullptr;
}

paint::Surface SurfaceWindow::Surface(int width, int height) {
    paint::Surface surface = surface_.Resize(width, height);
    text_.SetDc(surface_.Dc());
    return surface;
}

void SurfaceWindow::ReleaseSurface() {
    text_.SetDc(nullptr);
    surface_.Release();
}

paint::Surface SurfaceWindow::SurfaceWhenShown(int width, int height) {
    if (!drawingShown_ && !(hwnd_ && IsWindowVisible(hwnd_))) {
        drawingOwed_ = true;
        return {};
    }
    return Surface(width, height);
}

LRESULT SurfaceWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        surface_.Present(dc, 0, 0);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        // PrintWindow and the like: the same picture WM_PAINT shows.
        surface_.Present(reinterpret_cast<HDC>(wParam), 0, 0);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the surface covers the whole client area
    default:
        return DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

LRESULT CALLBACK SurfaceWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = BindWindowObject(hwnd, msg, lParam, &SurfaceWindow::hwnd_);
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        UnbindWindowObject(hwnd);
        self->OnDestroying();
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(msg, wParam, lParam);
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
