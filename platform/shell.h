#pragma once
// The shell's services: the notification-area icon (Shell_NotifyIconA), opening a document,
// address or program with its registered handler (ShellExecuteA), and bringing a window to
// the foreground (SetForegroundWindow) so that a popup menu closes when the user clicks
// elsewhere.
#include <array>
#include <cstdint>
#include <string>

#include "platform/ui.h"

namespace platform {

using IconHandle = std::uintptr_t;  // opaque HICON

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;

inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;

inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShowMaximized = 3;

// NOTIFYICONDATAA in its first form, field for field with the same widths and alignment, so
// that its size is the form's size on every target: 88 bytes on 32-bit Windows, 104 on
// 64-bit Windows.
struct NotifyIconData {
    std::uint32_t cbSize = 0;
    WindowHandle hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    IconHandle hIcon = 0;
    std::array<char, 64> szTip{};
};

class Shell {
public:
    virtual ~Shell() = default;

    // Shell_NotifyIconA(message, &data), the record exactly as given. True when the
    // notification area took the call; false when it refused it or there is none.
    virtual bool NotifyIcon(std::uint32_t message, const NotifyIconData& data) = 0;

    // ShellExecuteA(GetDesktopWindow(), operation, file, parameters, directory, showCommand),
    // texts in single-byte characters; an empty parameters or directory text is passed as NULL.
    // The result is not reported.
    virtual void Execute(const std::string& operation, const std::string& file,
                         const std::string& parameters, const std::string& directory,
                         int showCommand) = 0;

    // SetForegroundWindow(window).
    virtual void SetForegroundWindow(WindowHandle window) = 0;
};

}  // namespace platform
