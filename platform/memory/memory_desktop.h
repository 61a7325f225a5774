#pragma once
// An in-memory desktop for the unit tests: windows by class and parent, one shell list view
// with items, the cross-process buffers, the version query, the desktop lock and the
// broadcasts. Every call is recorded, rendered as text, for the tests to compare with the
// exact sequence they expect.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace platform::memory {

class MemoryDesktop : public Desktop {
public:
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
    void LockUpdate(WindowHandle window) override;
    void RedrawAll() override;

    // A window of that class; top-level when the parent is 0. Handles count up from 1 and
    // render as "#<n>".
    WindowHandle AddWindow(const std::string& className, WindowHandle parent = 0,
                           std::uint32_t style = 0, std::uint32_t processId = 0);
    // Where the shell hangs its icon view: under "Progman", or, as Windows 10 and 11 do while a
    // wallpaper slideshow or a wallpaper program runs, under the second of two top-level
    // "WorkerW" windows (the first one empty), "Progman" then having no view.
    enum class ShellHost { Progman, WorkerW };
    // The shell's desktop: "SHELLDLL_DefView" > "SysListView32" under its host, holding these
    // items, owned by shellProcessId. The list view answers LVM_GETITEMCOUNT,
    // LVM_GETITEMPOSITION (into a buffer of this desktop) and LVM_SETITEMPOSITION; like the
    // shell, the view switches the list view's LVS_AUTOARRANGE over on WM_COMMAND 0x7041.
    WindowHandle AddShellDesktop(std::vector<Point> positions, bool autoArrange = false,
                                 ShellHost host = ShellHost::Progman);

    bool AutoArrange() const;
    // Calls whose text starts with `prefix`.
    int Count(const std::string& prefix) const;

    std::vector<Point> items;
    WindowHandle progman = 0, shellView = 0, listView = 0;
    std::uint32_t shellProcessId = 4242;
    std::optional<std::uint32_t> platformId = 2;  // VER_PLATFORM_WIN32_NT
    bool refuseRemoteBuffer = false;
    bool refuseSharedBuffer = false;
    bool failBufferReads = false;  // ReadProcessMemory fails; the target keeps its value

    // The shell stops answering after this many more messages (Send gives nothing, and so does
    // every folder-view call); unset: it always answers.
    std::optional<int> answersLeft;
    bool Hung() const { return answersLeft && *answersLeft <= 0; }

    // The shell's folder view of the desktop, as Windows Vista and later offer it. Its items
    // are `items`, in the same order; its auto-arrange flag is the list view's style bit.
    bool offerFolderView = false;
    // The window the view reports; the shell view ("SHELLDLL_DefView") when unset.
    std::optional<WindowHandle> folderViewWindow;
    bool folderViewRefusesPositioning = false;  // SelectAndPositionItems answers E_NOTIMPL
    bool folderViewHasFlags = true;             // IFolderView2 is there
    // Since Windows 10 1809 Explorer keeps its own record of the positions: what list-view
    // messages set goes back to it at RefreshFromRecord; what the folder view sets is recorded.
    std::vector<Point> explorerRecord;
    void RefreshFromRecord() { items = explorerRecord; }

    std::vector<std::string> calls;
    // Called after each call is recorded, with its text.
    std::function<void(const std::string&)> onCall;
    int liveBuffers = 0;

private:
    struct Window {
        std::string className;
        WindowHandle parent = 0;
        std::uint32_t style = 0;
        std::uint32_t processId = 0;
    };
    class Buffer;
    class View;
    // Counts one message against answersLeft: false when the shell no longer answers.
    bool Answers();

    void Record(std::string call);
    std::string Render(std::uintptr_t value) const;
    const Window* Find(WindowHandle window) const;

    std::map<WindowHandle, Window> windows_;
    WindowHandle nextHandle_ = 1;
    std::map<std::uintptr_t, Point> buffers_;  // live buffers by address, and their bytes
    std::uintptr_t nextBuffer_ = 0x7FFE0000;
};

}  // namespace platform::memory
