#pragma once
// Windows sends WM_SYSCOLORCHANGE and WM_SETTINGCHANGE to top-level windows only; child windows
// hear of a new colour scheme or system setting only when their parent hands the message on.
// Every window that holds skinned controls does so from its window procedure, so that the
// controls' ambient-change handling runs: the push buttons read the system colours again, and
// those drawn in them repaint in the new ones. Common controls want WM_SYSCOLORCHANGE from
// their parent as well.
#include <windows.h>

namespace app::win32 {

// When msg is WM_SYSCOLORCHANGE or WM_SETTINGCHANGE, sends it with its arguments to each child
// of window, in z-order, and returns true; otherwise does nothing and returns false. The
// caller goes on handling the message as before (DefWindowProc, for a top-level window).
// Only the direct children are sent it: a child that holds controls of its own forwards it
// again in the same way.
bool ForwardAmbientChange(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace app::win32
