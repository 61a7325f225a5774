#pragma once
// Shell on shell32 and user32: Shell_NotifyIconA with the first, ANSI form of the record,
// ShellExecuteA owned by the program's main window once there is one, SetForegroundWindow. shell32 is loaded on the
// first call that needs it; without it the icon is refused and nothing opens.
#include "platform/shell.h"

namespace platform::win32 {

class Win32Shell final : public Shell {
public:
    bool NotifyIcon(std::uint32_t message, const NotifyIconData& data) override;
    void Execute(const std::string& operation, const std::string& file,
                 const std::string& parameters, const std::string& directory,
                 int showCommand) override;
    void SetForegroundWindow(WindowHandle window) override;

    // The owner of the shell's error and "Open with" dialogs: the main window, which is
    // top-most, so that they come in front of it rather than behind.
    void SetOwner(WindowHandle owner) { owner_ = owner; }

private:
    WindowHandle owner_ = 0;
};

}  // namespace platform::win32
