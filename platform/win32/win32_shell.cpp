#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "platform/win32/com_apartment.h"
#include "platform/win32/system_library.h"

namespace platform::win32 {

namespace {

// shell32 is loaded when the program first needs it (a tray icon, a shell open), not at
// start-up: as an import it drags shlwapi and shcore in with it, and under Wine their loading
// and set-up cost the window a good part of its start, for services most starts never use.
// It stays loaded for the rest of the process.
HMODULE Shell32() {
    static const HMODULE shell32 = LoadSystemLibrary("shell32.dll");
    return shell32;
}

// Every call into the shell goes through here: the thread enters its COM apartment first, as
// the shell asks of its callers (a no-op after the first time).
template <typename Fn>
Fn* Shell32Function(const char* name) {
    ComApartment::Join();
    return SystemFunction<Fn>(Shell32(), name);
}

}  // namespace

// The portable record is the first form of NOTIFYICONDATAA byte for byte, so it is handed to
// the shell as it is. The shell reads cbSize to tell the forms apart: the first form is 88
// bytes in a 32-bit program, 104 in a 64-bit one.
static_assert(sizeof(NotifyIconData) == NOTIFYICONDATAA_V1_SIZE);
static_assert(offsetof(NotifyIconData, hWnd) == offsetof(NOTIFYICONDATAA, hWnd));
static_assert(offsetof(NotifyIconData, uID) == offsetof(NOTIFYICONDATAA, uID));
static_assert(offsetof(NotifyIconData, uFlags) == offsetof(NOTIFYICONDATAA, uFlags));
static_assert(offsetof(NotifyIconData, uCallbackMessage) ==
              offsetof(NOTIFYICONDATAA, uCallbackMessage));
static_assert(offsetof(NotifyIconData, hIcon) == offsetof(NOTIFYICONDATAA, hIcon));
static_assert(offsetof(NotifyIconData, szTip) == offsetof(NOTIFYICONDATAA, szTip));
#ifndef _WIN64
static_assert(sizeof(NotifyIconData) == 88, "the i686 release sends the 88-byte record");
#endif

bool Win32Shell::NotifyIcon(std::uint32_t message, const NotifyIconData& data) {
    // A full NOTIFYICONDATAA, of which the shell reads the first cbSize bytes only.
    NOTIFYICONDATAA record{};
    std::memcpy(&record, &data, sizeof data);
    auto* notify = Shell32Function<decltype(Shell_NotifyIconA)>("Shell_NotifyIconA");
    return notify && notify(message, &record) != FALSE;
}

void Win32Shell::Execute(const std::string& operation, const std::string& file,
                         const std::string& parameters, const std::string& directory,
                         int showCommand) {
    auto* execute = Shell32Function<decltype(ShellExecuteA)>("ShellExecuteA");
    if (!execute) return;
    HWND owner = reinterpret_cast<HWND>(owner_);
    if (!owner || !IsWindow(owner)) owner = GetDesktopWindow();
    execute(owner, operation.c_str(), file.c_str(),
            parameters.empty() ? nullptr : parameters.c_str(),
            directory.empty() ? nullptr : directory.c_str(), showCommand);
}

void Win32Shell::SetForegroundWindow(WindowHandle window) {
    ::SetForegroundWindow(reinterpret_cast<HWND>(window));
}

}  // namespace platform::win32
