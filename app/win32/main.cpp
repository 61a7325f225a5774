// Dravik's entry point: binds the logic to the Win32 platform, loads the main window and
// runs the message loop.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/form_main.h"
#include "app/win32/main_window.h"
#include "app/win32/remote_command.h"
#include "icons/icon_mem.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_ui.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Every DLL loaded from here on, and every DLL such a DLL imports, comes from the system
    // folder only, never from the program's own folder (Downloads, where anyone may have put
    // a DLL of a system name beside it) or the current one. The imports of the program itself
    // are Windows' KnownDLLs and common controls 6 (manifest), which that folder cannot
    // replace. Windows 8, and 7 and Vista with update KB2533623, have the call; XP does not.
    platform::win32::LoadOnlyFromSystemFolder();
    // The keeper of this thread's COM apartment, which the first call into the shell or from a
    // screen reader enters: made before the windows, gone after them.
    const platform::win32::ComApartment com;
    // With switches this process is only a client of the running Dravik: it claims no
    // instance and shows no window.
    if (__argc > 1)
        return app::win32::RunCommandLineClient(std::vector<std::string>(__argv + 1, __argv + __argc));

    platform::win32::Win32Display display;
    platform::win32::Win32Registry registry;
    platform::win32::Win32System system;
    platform::win32::Win32Ui ui;
    platform::win32::Win32Shell shell;
    platform::win32::Win32Registry registry32(platform::win32::Win32Registry::View::Wow32);
    platform::Platform platform{display, registry, system, ui, shell, registry32};
    platform::win32::Win32Desktop desktop;
    icons::IconMem iconMem(platform, desktop);

    app::FrmMain form(platform, iconMem);
    app::win32::MainWindow window(form);
    if (!window.Create(instance)) return 1;

    if (form.Form_Load() == app::FrmMain::LoadResult::AlreadyRunning) {
        DestroyWindow(window.Handle());
        return 0;
    }
    // From here on message boxes belong to the (top-most) main window, so none hides behind it.
    ui.SetOwner(reinterpret_cast<platform::WindowHandle>(window.Handle()));
    shell.SetOwner(reinterpret_cast<platform::WindowHandle>(window.Handle()));
    window.ShowIfVisible();
    window.ScheduleStartUpSave();

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Tab, arrows and access keys in whichever of the program's windows is active (the
        // main window or the about window).
        HWND active = GetActiveWindow();
        if (!active) active = window.Handle();
        if (active && IsDialogMessageA(active, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
