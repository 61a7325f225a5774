#pragma once
// Where a mouse message says the pointer is: its lParam holds x in the low and y in the high
// word, each a signed 16-bit number (negative left of or above the origin, on a monitor left
// of or above the primary one), never to be read with LOWORD/HIWORD alone.
//
// windowsx.h says the same with GET_X_LPARAM and GET_Y_LPARAM, but it also defines a few
// hundred function-like macros (SetWindowFont, GetWindowFont, ...) that turn any later member
// function of the same name into a call of the macro.
#include <windows.h>

namespace wingui {

inline int MouseX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
inline int MouseY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

}  // namespace wingui
