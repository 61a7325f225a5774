#pragma once
// Modal user interface calls and the few window-manager calls the logic makes directly.
#include <cstdint>
#include <string>

namespace platform {

using WindowHandle = std::uintptr_t;  // opaque HWND

class Ui {
public:
    virtual ~Ui() = default;

    // A modal message box with only an OK button and no icon; returns when it is closed.
    virtual void ShowMessage(const std::string& text, const std::string& title) = 0;

    // SetWindowPos(window, HWND_TOPMOST or HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE).
    virtual void SetTopMost(WindowHandle window, bool topMost) = 0;

    // ReleaseCapture, then SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0): the system
    // then moves the window until the mouse button is released.
    virtual void DragByCaption(WindowHandle window) = 0;
};

}  // namespace platform
