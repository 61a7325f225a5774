#pragma once
// What the accessible object and the controls' descriptions both read from a window.
#include <windows.h>

#include <string>

namespace app::win32 {

// Whether a click can reach the window: it and every window it lies in are enabled (a
// disabled top-level window, behind the about window, takes no input for its children).
bool ReachesInput(HWND hwnd);

// The window text as a screen reader says it: an "&" marks the access key (stored into
// `accessKey` when it is given and still 0) and is not read, "&&" is one "&".
std::wstring SpokenText(HWND hwnd, wchar_t* accessKey = nullptr);

// The window's rectangle on the screen.
RECT ScreenRect(HWND hwnd);

}  // namespace app::win32
