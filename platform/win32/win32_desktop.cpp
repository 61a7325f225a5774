#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/scoped.h"
#include "platform/win32/window_handle.h"

namespace platform::win32 {

namespace {

static_assert(sizeof(Point) == 8 && sizeof(POINT) == 8, "only the 8-byte POINT crosses over");


// A block that VirtualAllocEx committed in another process; VirtualFreeEx with MEM_RELEASE
// (size 0: the whole block) gives it back. The process handle must outlive this owner.
class ScopedRemoteMemory {
public:
    ScopedRemoteMemory(HANDLE process, void* address) : process_(process), address_(address) {}
    ScopedRemoteMemory(const ScopedRemoteMemory&) = delete;
    ScopedRemoteMemory& operator=(const ScopedRemoteMemory&) = delete;
    ~ScopedRemoteMemory() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    void* Get() const { return address_; }

private:
    HANDLE process_;
    void* address_;
};

// A view from MapViewOfFile, given back with UnmapViewOfFile.
class ScopedMappedView {
public:
    explicit ScopedMappedView(void* view) : view_(view) {}
    ScopedMappedView(const ScopedMappedView&) = delete;
    ScopedMappedView& operator=(const ScopedMappedView&) = delete;
    ~ScopedMappedView() {
        if (view_) UnmapViewOfFile(view_);
    }
    void* Get() const { return view_; }

private:
    void* view_;
};

constexpr DWORD kListViewProcessAccess = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;
static_assert(kListViewProcessAccess == 0x0038);
constexpr SIZE_T kPointSize = sizeof(POINT);

// The NT family's buffer: 8 bytes inside the list view's process. It takes what it needs when
// made and gives all of it back when destroyed, members in reverse order: the memory first,
// then the process handle.
class RemotePointBuffer final : public PointBuffer {
public:
    // The least the work needs: allocate, read and write that process's memory.
    explicit RemotePointBuffer(DWORD processId)
        : process_(OpenProcess(kListViewProcessAccess, FALSE, processId)),
          memory_(process_.Get(), process_ ? VirtualAllocEx(process_.Get(), nullptr, kPointSize,
                                                            MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                                           : nullptr) {}
    bool Ok() const { return memory_.Get() != nullptr; }

    std::uintptr_t Address() const override { return reinterpret_cast<std::uintptr_t>(memory_.Get()); }
    void Store(const Point& p) override {
        SIZE_T written = 0;
        WriteProcessMemory(process_.Get(), memory_.Get(), &p, sizeof p, &written);
    }
    void Load(Point& p) override {
        Point read;
        SIZE_T got = 0;
        if (ReadProcessMemory(process_.Get(), memory_.Get(), &read, sizeof read, &got) &&
            got == sizeof read)
            p = read;
    }

private:
    ScopedHandle process_;
    ScopedRemoteMemory memory_;
};

// The 9x family's buffer: a mapping of the paging file. Its views live in the shared arena
// above 2 GB, at the same address in every process, so the list view writes straight into
// this view. (On the NT family a view's address means nothing to another process.)
class SharedPointBuffer final : public PointBuffer {
public:
    SharedPointBuffer()
        : mapping_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(kPointSize), nullptr)),
          view_(mapping_ ? MapViewOfFile(mapping_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0) : nullptr) {}
    bool Ok() const { return view_.Get() != nullptr; }

    std::uintptr_t Address() const override { return reinterpret_cast<std::uintptr_t>(view_.Get()); }
    void Store(const Point& p) override { std::memmove(view_.Get(), &p, sizeof p); }
    void Load(Point& p) override { std::memmove(&p, view_.Get(), sizeof p); }

private:
    ScopedHandle mapping_;
    ScopedMappedView view_;
};

}  // namespace

WindowHandle Win32Desktop::FindTopLevel(const std::string& className) {
    return FromHwnd(FindWindowA(className.c_str(), nullptr));
}

WindowHandle Win32Desktop::FindTopLevelAfter(WindowHandle after, const std::string& className) {
    return FromHwnd(FindWindowExA(nullptr, ToHwnd(after), className.c_str(), nullptr));
}

WindowHandle Win32Desktop::FindChild(WindowHandle parent, const std::string& className) {
    return FromHwnd(FindWindowExA(ToHwnd(parent), nullptr, className.c_str(), nullptr));
}

std::uint32_t Win32Desktop::WindowStyle(WindowHandle window) {
    return static_cast<std::uint32_t>(GetWindowLongA(ToHwnd(window), GWL_STYLE));
}

WindowHandle Win32Desktop::ParentOf(WindowHandle window) { return FromHwnd(GetParent(ToHwnd(window))); }

std::uint32_t Win32Desktop::OwnerProcessId(WindowHandle window) {
    DWORD id = 0;
    GetWindowThreadProcessId(ToHwnd(window), &id);
    return id;
}

std::optional<std::intptr_t> Win32Desktop::Send(WindowHandle window, std::uint32_t message,
                                                std::uintptr_t wParam, std::intptr_t lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(ToHwnd(window), message, wParam, lParam, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                             kShellAnswerMs, &result))
        return std::nullopt;
    return static_cast<std::intptr_t>(result);
}

void Win32Desktop::SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam, std::uint32_t flags, std::uint32_t timeoutMs) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(ToHwnd(window), message, wParam, lParam, flags, timeoutMs, &result);
}

std::optional<std::uint32_t> Win32Desktop::VersionPlatformId() {
    OSVERSIONINFOA info{};
    static_assert(sizeof info == 148, "the version record of GetVersionExA");
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return std::nullopt;
    return info.dwPlatformId;
}

std::unique_ptr<PointBuffer> Win32Desktop::AllocRemoteBuffer(std::uint32_t processId) {
    auto buffer = std::make_unique<RemotePointBuffer>(processId);
    if (!buffer->Ok()) return nullptr;
    return buffer;
}

std::unique_ptr<PointBuffer> Win32Desktop::MapSharedBuffer() {
    auto buffer = std::make_unique<SharedPointBuffer>();
    if (!buffer->Ok()) return nullptr;
    return buffer;
}

std::unique_ptr<FolderView> Win32Desktop::OpenDesktopFolderView() { return OpenShellFolderView(deadlines_); }

WindowHandle Win32Desktop::DesktopWindow() { return FromHwnd(GetDesktopWindow()); }

bool Win32Desktop::LockUpdate(WindowHandle window) { return LockWindowUpdate(ToHwnd(window)) != FALSE; }

void Win32Desktop::RedrawAll() { InvalidateRect(nullptr, nullptr, FALSE); }

}  // namespace platform::win32
