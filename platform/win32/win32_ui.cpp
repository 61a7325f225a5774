#include "platform/win32/win32_ui.h"

#include <windows.h>

#include "platform/win32/window_handle.h"

namespace platform::win32 {

void Win32Ui::ShowMessage(const std::string& text, const std::string& title) {
    MessageBoxA(ToHwnd(owner_), text.c_str(), title.c_str(), MB_OK);
}

void Win32Ui::SetTopMost(WindowHandle window, bool topMost) {
    SetWindowPos(ToHwnd(window), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

void Win32Ui::DragByCaption(WindowHandle window) {
    // A press on the client area has captured the mouse; release it so that the system's move
    // loop, started by a title-bar press, gets the mouse.
    ReleaseCapture();
    SendMessageA(ToHwnd(window), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace platform::win32
