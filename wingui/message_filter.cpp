#include "wingui/message_filter.h"

#include "platform/win32/system_library.h"

namespace wingui {

void LetMessageThrough(HWND hwnd, UINT msg) {
    // Windows 7 and later: for this one window. Vista has only the process-wide form, which
    // lets the message through to every window of the process. XP filters nothing.
    HMODULE user32 = GetModuleHandleA("user32.dll");
    using ForWindow = BOOL WINAPI(HWND, UINT, DWORD, void*);
    using ForProcess = BOOL WINAPI(UINT, DWORD);
    static auto* const forWindow = platform::win32::SystemFunction<ForWindow>(user32, "ChangeWindowMessageFilterEx");
    static auto* const forProcess = platform::win32::SystemFunction<ForProcess>(user32, "ChangeWindowMessageFilter");
    if (forWindow)
        forWindow(hwnd, msg, 1 /* MSGFLT_ALLOW */, nullptr);
    else if (forProcess)
        forProcess(msg, 1 /* MSGFLT_ADD */);
}

}  // namespace wingui
