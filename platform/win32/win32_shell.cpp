#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <cstring>
#include <string>

namespace platform::win32 {

namespace {

// shell32 is loaded when the program first needs it (a tray icon, a shell open), not at
// start-up: as an import it drags shlwapi and shcore in with it, and under Wine their loading
// and set-up cost the window a good part of its start, for services most starts never use.
// Loaded by its full path in the system folder, never from the program's own folder; it
// stays loaded for the rest of the process.
FARPROC Shell32Proc(const char* name) {
    static HMODULE shell32 = [] {
        char folder[MAX_PATH];
        const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return static_cast<HMODULE>(nullptr);
        return LoadLibraryA((std::string(folder, n) + "\\shell32.dll").c_str());
    }();
    return shell32 ? GetProcAddress(shell32, name) : nullptr;
}

template <typename Fn>
Fn* Shell32Function(const char* name) {
    return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(Shell32Proc(name)));
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
    execute(GetDesktopWindow(), operation.c_str(), file.c_str(),
            parameters.empty() ? nullptr : parameters.c_str(),
            directory.empty() ? nullptr : directory.c_str(), showCommand);
}

void Win32Shell::SetForegroundWindow(WindowHandle window) {
    ::SetForegroundWindow(reinterpret_cast<HWND>(window));
}

}  // namespace platform::win32
