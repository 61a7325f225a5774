#include "app/win32/window_base.h"

#include "app/win32/window_binding.h"
#include "platform/win32/system_library.h"

namespace app::win32 {

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

void LetMessageThrough(HWND hwnd, UINT msg) {
    // Windows 7 and later: for this one window. Vista has only the process-wide form, which
    // lets the message through to every window of the process. XP filters nothing.
    HMODULE user32 = GetModuleHandleA("user32.dll");
    using ForWindow = BOOL WINAPI(HWND, UINT, DWORD, void*);
    using ForProcess = BOOL WINAPI(UINT, DWORD);
    static auto* const forWindow = platform::win32::SystemFunction<ForWindow>(user32, "ChangeWindowMessageFilterEx");
    static auto* const forProcess = platform::win32::SystemFunction<ForProcess>(user32, "ChangeWindowMessageFilter");
    if (forWindow)
        forWindow(hwnd, msg, 1 /* MSGFLT_ALLOW */, nullptr);
    else if (forProcess)
        forProcess(msg, 1 /* MSGFLT_ADD */);
}

}  // namespace app::win32

namespace app::win32 {

int ScreenDpi() {
    // Windows 10 1607 and later: the system's scale without a DC of the screen, which under
    // Wine is the thread's first call to the X server.
    using DpiForSystem = UINT WINAPI();
    static auto* const dpiForSystem = platform::win32::SystemFunction<DpiForSystem>(
        GetModuleHandleA("user32.dll"), "GetDpiForSystem");
    if (const UINT dpi = dpiForSystem ? dpiForSystem() : 0; dpi > 0) return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND hwnd) {
    // Windows 10 1607 and later; XP, Vista to 8.1 and Wine before 4 have no such function.
    using DpiForWindow = UINT WINAPI(HWND);
    static auto* const dpiForWindow = platform::win32::SystemFunction<DpiForWindow>(
        GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    const UINT dpi = hwnd && dpiForWindow ? dpiForWindow(hwnd) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

SIZE TakeSuggestedRect(HWND hwnd, LPARAM lParam) {
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (!suggested) return SIZE{0, 0};
    const SIZE size{suggested->right - suggested->left, suggested->bottom - suggested->top};
    SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

}  // namespace app::win32
