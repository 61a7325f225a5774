#pragma once
// The desktop icon view and the window-manager calls around it, on user32 and kernel32.
#include "platform/desktop.h"
#include "platform/win32/win32_folder_view.h"

namespace platform::win32 {

class Win32Desktop final : public Desktop {
public:
    Win32Desktop() = default;
    // The tests' deadlines for the shell's folder view.
    explicit Win32Desktop(const ShellDeadlines& deadlines) : deadlines_(deadlines) {}

    WindowHandle FindTopLevel(const std::string& className) override;
    WindowHandle FindTopLevelAfter(WindowHandle after, const std::string& className) override;
    WindowHandle FindChild(WindowHandle parent, const std::string& className) override;
    std::uint32_t WindowStyle(WindowHandle window) override;
    WindowHandle ParentOf(WindowHandle window) override;
    std::uint32_t OwnerProcessId(WindowHandle window) override;
    std::optional<std::intptr_t> Send(WindowHandle window, std::uint32_t message,
                                      std::uintptr_t wParam, std::intptr_t lParam) override;
    void SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam, std::uint32_t flags,
                         std::uint32_t timeoutMs) override;
    std::optional<std::uint32_t> VersionPlatformId() override;
    std::unique_ptr<PointBuffer> AllocRemoteBuffer(std::uint32_t processId) override;
    std::unique_ptr<PointBuffer> MapSharedBuffer() override;
    std::unique_ptr<FolderView> OpenDesktopFolderView() override;
    WindowHandle DesktopWindow() override;
    bool LockUpdate(WindowHandle window) override;
    void RedrawAll() override;

private:
    ShellDeadlines deadlines_;
};

}  // namespace platform::win32
