#pragma once
// The portable layer's WindowHandle holds an HWND's value in an integer (platform/ui.h); these
// convert between the two.
#include <windows.h>

#include "platform/ui.h"

namespace platform::win32 {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

}  // namespace platform::win32
