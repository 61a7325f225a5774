#pragma once
// The message filter of Windows Vista and later (UIPI) opened for one message of a window.
#include <windows.h>

namespace wingui {

// Lets `msg` reach `hwnd` from processes of a lower integrity level (Windows Vista's UIPI):
// an elevated Dravik (it writes HKLM) would otherwise never hear an Explorer or a command-line
// client that runs without elevation. ChangeWindowMessageFilterEx exists from Windows 7 on, so
// it is looked up rather than imported; before it, nothing filters.
void LetMessageThrough(HWND hwnd, UINT msg);

}  // namespace wingui
