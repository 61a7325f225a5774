#pragma once
// The screen's and a window's dots per inch, and the window's move at WM_DPICHANGED.
#include <windows.h>

namespace wingui {

// The dots per inch of the screen (LOGPIXELSY of its DC): the system's scale.
int ScreenDpi();
// The dots per inch of the monitor the window is on, for a program that is aware of each
// monitor's own scale: GetDpiForWindow where the system has it (looked up, not imported, as XP
// lacks it), else the screen's.
int WindowDpi(HWND hwnd);

// WM_DPICHANGED, which older headers lack: wParam holds the new dpi, lParam the rectangle the
// system suggests for the window at it.
inline constexpr UINT kWmDpiChanged = 0x02E0;
// WM_DPICHANGED's suggestion taken: the window moves and sizes to the rectangle at lParam.
// Returns the window's new size; 0 x 0 when there is no rectangle.
SIZE TakeSuggestedRect(HWND hwnd, LPARAM lParam);

}  // namespace wingui
