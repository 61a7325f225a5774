#pragma once
// The object behind a window of ours: bound at WM_NCCREATE from CreateWindowEx's last
// argument and let go at WM_NCDESTROY, so that no message in between finds the window
// without its object and none after it reaches a freed one.
#include <windows.h>

namespace wingui {

// The object of `hwnd` for this message. At WM_NCCREATE it binds the object passed to
// CreateWindowEx and stores `hwnd` in its `handle` member. Null before WM_NCCREATE (Windows
// sends WM_GETMINMAXINFO first) and after UnbindWindowObject.
template <typename T>
T* BindWindowObject(HWND hwnd, UINT msg, LPARAM lParam, HWND T::*handle) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->*handle = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return self;
    }
    return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// At WM_NCDESTROY: the messages that still come go to DefWindowProc.
inline void UnbindWindowObject(HWND hwnd) { SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0); }

}  // namespace wingui
