#include "wingui/dpi.h"

#include "platform/win32/scoped.h"
#include "platform/win32/system_library.h"

namespace wingui {

int ScreenDpi() {
    // Windows 10 1607 and later: the system's scale without a DC of the screen, which under
    // Wine is the thread's first call to the X server.
    using DpiForSystem = UINT WINAPI();
    static auto* const dpiForSystem = platform::win32::SystemFunction<DpiForSystem>(
        GetModuleHandleA("user32.dll"), "GetDpiForSystem");
    if (const UINT dpi = dpiForSystem ? dpiForSystem() : 0; dpi > 0) return static_cast<int>(dpi);
    const platform::win32::WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
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

}  // namespace wingui
