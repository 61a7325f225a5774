#pragma once
// The one window procedure of the window classes made here. A window object registers its
// class once, is bound to its HWND at WM_NCCREATE and let go at WM_NCDESTROY (window_binding.h),
// and in between every message goes to its HandleMessage, which says whether it handled it;
// what it leaves goes to DefWindowProc.
#include <windows.h>

#include <string>

namespace wingui {

// What a window class differs in: its name, its style (CS_DBLCLKS for the skinned controls),
// its icon resource and whether it has the arrow cursor.
struct WindowClass {
    const char* name = nullptr;
    UINT style = 0;
    bool arrowCursor = true;
    bool icon = false;  // icon resource 1 of the instance
};

class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    WindowBase() = default;
    // A window still bound when its object goes is let go first, so that no later message
    // reaches the freed object; the window itself is the owner's to destroy.
    virtual ~WindowBase();

    // Registers the class (the first time) and creates the window bound to this object; the
    // window's HWND is in hwnd_ from WM_NCCREATE on. False when the window cannot be made.
    bool CreateBound(const WindowClass& cls, HINSTANCE instance, DWORD exStyle,
                     const std::string& text, DWORD style, int x, int y, int width, int height,
                     HWND parent, int id = 0);

    // One message of the bound window. True when handled, with its result in `result`; false
    // sends it to DefWindowProc. The object may be gone when this returns true (a handler that
    // ends its own window's owner): nothing of it is touched after a handled message.
    virtual bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // WM_NCDESTROY, while hwnd_ is still set: stop timers and the like.
    virtual void OnDestroying() {}

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

}  // namespace wingui
