#pragma once
// The shell's desktop icon view and the window-manager calls around it, in the shape of the
// user32 and kernel32 calls the program makes (FindWindowA, FindWindowExA, GetWindowLongA,
// GetParent, GetWindowThreadProcessId, SendMessageA, SendMessageTimeoutA, GetVersionExA,
// the cross-process buffers, GetDesktopWindow, LockWindowUpdate, InvalidateRect). Plain data
// only: which window to look for, which message to send and what an answer means is decided
// in icons/.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <vector>

#include "platform/ui.h"

namespace platform {

// How long a message to the shell's windows may take before the shell counts as not
// answering. The shell runs in another process and can hang; this thread must not hang with it.
inline constexpr std::uint32_t kShellAnswerMs = 3000;

// POINT as the list view writes it: x, then y, two signed 32-bit values, 8 bytes. The only
// thing that crosses into the list view's process, so a 32-bit program can read the
// positions of a 64-bit shell.
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

// An 8-byte block that the list view's process can write a POINT into. The object owns what
// it took to get it (a process handle and memory in that process, or a file mapping and its
// view) and releases all of it when destroyed.
class PointBuffer {
public:
    virtual ~PointBuffer() = default;
    // The block's address as the list view sees it: the lParam of LVM_GETITEMPOSITION.
    virtual std::uintptr_t Address() const = 0;
    // Copies `p` into the block (WriteProcessMemory, or RtlMoveMemory into the shared view).
    // Whether it worked is not reported.
    virtual void Store(const Point& p) = 0;
    // Copies the block into `p` (ReadProcessMemory, or RtlMoveMemory out of the view). When the
    // copy fails, `p` keeps what it held.
    virtual void Load(Point& p) = 0;
};

// The desktop's folder view as the shell offers it to other programs from Windows Vista on:
// ShellWindows, FindWindowSW(CSIDL_DESKTOP, SWC_DESKTOP), the top-level browser of that window,
// its active shell view, IFolderView. Since Windows 10 version 1809 Explorer keeps the desktop
// icons' positions itself and takes only what arrives through this view: positions set by
// list-view messages are put back at its next save.
// Each call is bounded in time, as the shell may hang: a call that gets no answer in time
// fails, and every later call on the same view then fails at once.
class FolderView {
public:
    virtual ~FolderView() = default;
    // IShellView::GetWindow: the view's window ("SHELLDLL_DefView", the desktop list view's
    // parent); 0 when the view has none (Wine's desktop) or does not answer.
    virtual WindowHandle Window() = 0;
    // Every item's IFolderView::GetItemPosition, in the view's order (Item 0, 1, ...), which is
    // the list view's index order. Nothing when any step fails or does not answer in time.
    virtual std::optional<std::vector<Point>> ItemPositions() = 0;
    // One IFolderView::SelectAndPositionItems(SVSI_POSITIONITEM) that moves item i to
    // positions[i], for every i below the view's item count whose position has a value. False
    // when the view refuses (Wine's shell32 answers E_NOTIMPL) or does not answer in time.
    virtual bool PositionItems(const std::vector<std::optional<Point>>& positions) = 0;
    // IFolderView2::GetCurrentFolderFlags, FWF_AUTOARRANGE: whether the view arranges its items
    // itself. Nothing when the view has no IFolderView2 or does not answer.
    virtual std::optional<bool> AutoArrange() = 0;
    // IFolderView2::SetCurrentFolderFlags(FWF_AUTOARRANGE, on or off). False when it fails.
    virtual bool SetAutoArrange(bool on) = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // FindWindowA(className, NULL): the first top-level window of that class (class names
    // match without regard to case), 0 when there is none.
    virtual WindowHandle FindTopLevel(const std::string& className) = 0;
    // FindWindowExA(NULL, after, className, NULL): the next top-level window of that class after
    // `after` in the windows' order, the first when `after` is 0; 0 when there is none.
    virtual WindowHandle FindTopLevelAfter(WindowHandle after, const std::string& className) = 0;
    // FindWindowExA(parent, NULL, className, NULL): the first child of that class, or 0.
    virtual WindowHandle FindChild(WindowHandle parent, const std::string& className) = 0;
    // GetWindowLongA(window, GWL_STYLE).
    virtual std::uint32_t WindowStyle(WindowHandle window) = 0;
    // GetParent(window); 0 for none.
    virtual WindowHandle ParentOf(WindowHandle window) = 0;
    // GetWindowThreadProcessId(window, &id): the id of the process that owns the window.
    virtual std::uint32_t OwnerProcessId(WindowHandle window) = 0;

    // SendMessageTimeoutA(window, message, wParam, lParam, SMTO_BLOCK | SMTO_ABORTIFHUNG,
    // kShellAnswerMs): the message's result once the window has handled it; nothing when the
    // window is gone, hung, or does not answer in time. SMTO_BLOCK: no message sent to this
    // thread is handled while it waits, so nothing else of the program runs inside the call.
    virtual std::optional<std::intptr_t> Send(WindowHandle window, std::uint32_t message,
                                              std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // SendMessageTimeoutA(window, message, wParam, lParam, flags, timeoutMs, &result). Neither
    // the call's result nor the message's is reported.
    virtual void SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam, std::uint32_t flags,
                                 std::uint32_t timeoutMs) = 0;

    // GetVersionExA on an OSVERSIONINFOA of 148 bytes: its dwPlatformId, nothing when the call
    // fails.
    virtual std::optional<std::uint32_t> VersionPlatformId() = 0;

    // Windows NT family: OpenProcess(0x0038 = VM_OPERATION | VM_READ | VM_WRITE, FALSE, id),
    // then VirtualAllocEx(process, NULL, 8, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE). Released
    // with VirtualFreeEx(MEM_RELEASE), then CloseHandle. Null when either call fails; what the
    // first took is then already released.
    virtual std::unique_ptr<PointBuffer> AllocRemoteBuffer(std::uint32_t processId) = 0;
    // Windows 9x family, where the shared arena is visible to every process:
    // CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, 8, NULL), then
    // MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0). Released with UnmapViewOfFile, then
    // CloseHandle. Null when either call fails.
    virtual std::unique_ptr<PointBuffer> MapSharedBuffer() = 0;

    // The shell's folder view of the desktop. Null when the system offers no such route (XP
    // knows no SWC_DESKTOP), no shell answers for the desktop, or it does not answer in time.
    virtual std::unique_ptr<FolderView> OpenDesktopFolderView() = 0;

    // GetDesktopWindow().
    virtual WindowHandle DesktopWindow() = 0;
    // LockWindowUpdate(window): drawing in that window is held back; 0 lets it go again. False
    // when refused: only one window at a time can be locked, so another program's lock stands.
    virtual bool LockUpdate(WindowHandle window) = 0;
    // InvalidateRect(NULL, NULL, FALSE): every window on the screen is repainted.
    virtual void RedrawAll() = 0;
};

}  // namespace platform
