// Linked into the soak build of Dravik.exe only: the window that answers the soak driver's
// queries for the live handle counts (platform/win32/live_handles.h). It is made before
// WinMain runs, in the thread that becomes the user-interface thread, so the counts are read
// between two of the program's own messages, never in the middle of one.
#include "tools/soak/live_handles_query.h"

#include "platform/win32/live_handles.h"

#ifndef DRAVIK_COUNT_HANDLES
#error "the soak build counts handles: compile it with DRAVIK_COUNT_HANDLES"
#endif

namespace {

LRESULT CALLBACK QueryProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == soak::kQueryMessage) {
        if (wParam == soak::kQueryGdi) return platform::win32::liveGdiHandles.load();
        if (wParam == soak::kQueryUser) return platform::win32::liveUserHandles.load();
        return -1;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MakeQueryWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = QueryProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = soak::kQueryWindowClass;
    if (!RegisterClassA(&wc)) return nullptr;
    return CreateWindowExA(0, soak::kQueryWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
}

// Lives as long as the process; the system destroys it with the thread.
const HWND queryWindow = MakeQueryWindow();

}  // namespace
