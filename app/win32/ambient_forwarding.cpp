#include "app/win32/ambient_forwarding.h"

#include <vector>

namespace app::win32 {

bool ForwardAmbientChange(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_SYSCOLORCHANGE && msg != WM_SETTINGCHANGE) return false;
    // The list first: a child's handling may create or destroy windows.
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children)
        if (IsWindow(child)) SendMessageA(child, msg, wParam, lParam);
    return true;
}

}  // namespace app::win32
