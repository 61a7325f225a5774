#include "wingui/window_base.h"

#include "wingui/window_binding.h"

namespace wingui {

WindowBase::~WindowBase() {
    if (hwnd_) UnbindWindowObject(hwnd_);
}

bool WindowBase::CreateBound(const WindowClass& cls, HINSTANCE instance, DWORD exStyle,
                             const std::string& text, DWORD style, int x, int y, int width,
                             int height, HWND parent, int id) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(instance, cls.name, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof(wc);
        wc.style = cls.style;
        wc.lpfnWndProc = WndProc;
        wc.hInstance = instance;
        if (cls.arrowCursor) wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        if (cls.icon) {
            wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
            // Given, the small icon is read from its own image in the resource. Left out,
            // RegisterClassEx makes it by copying the large one back from the resource, which
            // under Wine costs twice the round trips.
            wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCE(1), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), LR_SHARED));
        }
        wc.lpszClassName = cls.name;
        if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    }
    CreateWindowExA(exStyle, cls.name, text.c_str(), style, x, y, width, height, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    return hwnd_ != nullptr;
}

LRESULT CALLBACK WindowBase::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = BindWindowObject(hwnd, msg, lParam, &WindowBase::hwnd_);
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        UnbindWindowObject(hwnd);
        self->OnDestroying();
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (self->HandleMessage(msg, wParam, lParam, result)) return result;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace wingui
