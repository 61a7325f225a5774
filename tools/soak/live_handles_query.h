#pragma once
// The soak build's answer to "how many handles do the owner types hold": a message-only
// window of this class in Dravik.exe's user-interface thread, which answers kQueryMessage
// with the count of the kind in wParam (0 GDI objects, 1 user32 menus and icons).
#include <windows.h>

namespace soak {

inline constexpr const char* kQueryWindowClass = "DravikLiveHandles";
inline constexpr UINT kQueryMessage = WM_APP + 1;
inline constexpr WPARAM kQueryGdi = 0;
inline constexpr WPARAM kQueryUser = 1;

}  // namespace soak
