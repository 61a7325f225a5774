#include "platform/memory/memory_desktop.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace platform::memory {

namespace {

constexpr std::uint32_t kWmSettingChange = 0x001A;
constexpr std::uint32_t kWmCommand = 0x0111;
constexpr std::uint32_t kLvmGetItemCount = 0x1004;
constexpr std::uint32_t kLvmSetItemPosition = 0x100F;
constexpr std::uint32_t kLvmGetItemPosition = 0x1010;
constexpr std::uint32_t kLvsAutoArrange = 0x0100;
constexpr std::uintptr_t kShellAutoArrange = 0x7041;
constexpr WindowHandle kDesktopWindow = 0x10010;

bool SameClass(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string Hex(std::uintptr_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string Handle(WindowHandle window) {
    return window == 0 ? std::string("0") : "#" + std::to_string(window);
}

std::string Text(const Point& p) { return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")"; }

std::string MessageName(std::uint32_t message) {
    switch (message) {
    case 0: return "WM_NULL";
    case kWmSettingChange: return "WM_SETTINGCHANGE";
    case kWmCommand: return "WM_COMMAND";
    case kLvmGetItemCount: return "LVM_GETITEMCOUNT";
    case kLvmSetItemPosition: return "LVM_SETITEMPOSITION";
    case kLvmGetItemPosition: return "LVM_GETITEMPOSITION";
    default: return Hex(message);
    }
}

}  // namespace

// One 8-byte block; which calls it stands for depends on the variant.
class MemoryDesktop::Buffer final : public PointBuffer {
public:
    Buffer(MemoryDesktop& desktop, std::uintptr_t address, bool remote)
        : desktop_(desktop), address_(address), remote_(remote) {
        desktop_.buffers_[address_] = Point{0x5A5A5A5A, 0x5A5A5A5A};  // not zero until stored
        ++desktop_.liveBuffers;
    }
    ~Buffer() override {
        desktop_.buffers_.erase(address_);
        --desktop_.liveBuffers;
        desktop_.Record(remote_ ? "VirtualFreeEx+CloseHandle" : "UnmapViewOfFile+CloseHandle");
    }
    std::uintptr_t Address() const override { return address_; }
    void Store(const Point& p) override {
        desktop_.buffers_[address_] = p;
        desktop_.Record((remote_ ? "WriteProcessMemory " : "RtlMoveMemory in ") + Text(p));
    }
    void Load(Point& p) override {
        desktop_.Record(remote_ ? "ReadProcessMemory" : "RtlMoveMemory out");
        if (remote_ && desktop_.failBufferReads) return;
        p = desktop_.buffers_[address_];
    }

private:
    MemoryDesktop& desktop_;
    std::uintptr_t address_;
    bool remote_;
};

void MemoryDesktop::Record(std::string call) {
    calls.push_back(std::move(call));
    if (onCall) onCall(calls.back());
}

std::string MemoryDesktop::Render(std::uintptr_t value) const {
    return buffers_.count(value) ? std::string("@buffer") : std::to_string(value);
}

const MemoryDesktop::Window* MemoryDesktop::Find(WindowHandle window) const {
    const auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

WindowHandle MemoryDesktop::AddWindow(const std::string& className, WindowHandle parent,
                                      std::uint32_t style, std::uint32_t processId) {
    const WindowHandle handle = nextHandle_++;
    windows_[handle] = Window{className, parent, style, processId};
    return handle;
}

WindowHandle MemoryDesktop::AddShellDesktop(std::vector<Point> positions, bool autoArrange,
                                            ShellHost host) {
    items = std::move(positions);
    progman = AddWindow("Progman", 0, 0, shellProcessId);
    WindowHandle viewParent = progman;
    if (host == ShellHost::WorkerW) {
        AddWindow("WorkerW", 0, 0, shellProcessId);
        viewParent = AddWindow("WorkerW", 0, 0, shellProcessId);
    }
    shellView = AddWindow("SHELLDLL_DefView", viewParent, 0, shellProcessId);
    listView = AddWindow("SysListView32", shellView, autoArrange ? kLvsAutoArrange : 0, shellProcessId);
    return listView;
}

bool MemoryDesktop::AutoArrange() const {
    const Window* w = Find(listView);
    return w && (w->style & kLvsAutoArrange);
}

int MemoryDesktop::Count(const std::string& prefix) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) {
        return c.compare(0, prefix.size(), prefix) == 0;
    }));
}

WindowHandle MemoryDesktop::FindTopLevel(const std::string& className) {
    Record("FindWindowA " + className);
    for (const auto& [handle, w] : windows_)
        if (w.parent == 0 && SameClass(w.className, className)) return handle;
    return 0;
}

WindowHandle MemoryDesktop::FindTopLevelAfter(WindowHandle after, const std::string& className) {
    Record("FindWindowExA NULL " + Handle(after) + " " + className);
    for (auto it = after ? windows_.upper_bound(after) : windows_.begin(); it != windows_.end(); ++it)
        if (it->second.parent == 0 && SameClass(it->second.className, className)) return it->first;
    return 0;
}

WindowHandle MemoryDesktop::FindChild(WindowHandle parent, const std::string& className) {
    Record("FindWindowExA " + Handle(parent) + " " + className);
    for (const auto& [handle, w] : windows_)
        if (parent != 0 && w.parent == parent && SameClass(w.className, className)) return handle;
    return 0;
}

std::uint32_t MemoryDesktop::WindowStyle(WindowHandle window) {
    Record("GetWindowLongA " + Handle(window) + " GWL_STYLE");
    const Window* w = Find(window);
    return w ? w->style : 0;
}

WindowHandle MemoryDesktop::ParentOf(WindowHandle window) {
    Record("GetParent " + Handle(window));
    const Window* w = Find(window);
    return w ? w->parent : 0;
}

std::uint32_t MemoryDesktop::OwnerProcessId(WindowHandle window) {
    Record("GetWindowThreadProcessId " + Handle(window));
    const Window* w = Find(window);
    return w ? w->processId : 0;
}

bool MemoryDesktop::Answers() {
    if (!answersLeft) return true;
    if (*answersLeft <= 0) return false;
    --*answersLeft;
    return true;
}

std::optional<std::intptr_t> MemoryDesktop::Send(WindowHandle window, std::uint32_t message,
                                                 std::uintptr_t wParam, std::intptr_t lParam) {
    const auto lp = static_cast<std::uintptr_t>(lParam);
    Record(std::string(Hung() ? "(no answer) " : "") + "SendMessageTimeoutA BLOCK " + Handle(window) + " " + MessageName(message) + " " +
           (message == kWmCommand ? Hex(wParam) : std::to_string(wParam)) + " " +
           (message == kLvmSetItemPosition ? Hex(lp) : Render(lp)));
    if (!Answers()) return std::nullopt;
    if (window == shellView && window != 0 && message == kWmCommand && wParam == kShellAutoArrange) {
        windows_[listView].style ^= kLvsAutoArrange;
        return 0;
    }
    if (window != listView || window == 0) return 0;
    const bool valid = wParam < items.size();
    switch (message) {
    case kLvmGetItemCount: return static_cast<std::intptr_t>(items.size());
    case kLvmGetItemPosition: {
        const auto buffer = buffers_.find(lp);
        if (!valid || buffer == buffers_.end()) return 0;
        buffer->second = items[wParam];
        return 1;
    }
    case kLvmSetItemPosition:
        if (!valid) return 0;
        items[wParam] = Point{static_cast<std::int16_t>(lp & 0xFFFF),
                              static_cast<std::int16_t>((lp >> 16) & 0xFFFF)};
        return 1;
    default: return 0;
    }
}

void MemoryDesktop::SendWithTimeout(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam, std::uint32_t flags, std::uint32_t timeoutMs) {
    Record("SendMessageTimeoutA " + Hex(window) + " " + MessageName(message) + " " +
           std::to_string(wParam) + " " + std::to_string(lParam) + " flags=" + std::to_string(flags) +
           " timeout=" + std::to_string(timeoutMs));
}

std::optional<std::uint32_t> MemoryDesktop::VersionPlatformId() {
    Record("GetVersionExA");
    return platformId;
}

std::unique_ptr<PointBuffer> MemoryDesktop::AllocRemoteBuffer(std::uint32_t processId) {
    Record("OpenProcess+VirtualAllocEx " + std::to_string(processId));
    if (refuseRemoteBuffer) return nullptr;
    auto buffer = std::make_unique<Buffer>(*this, nextBuffer_, true);
    nextBuffer_ += 0x10;
    return buffer;
}

std::unique_ptr<PointBuffer> MemoryDesktop::MapSharedBuffer() {
    Record("CreateFileMappingA+MapViewOfFile");
    if (refuseSharedBuffer) return nullptr;
    auto buffer = std::make_unique<Buffer>(*this, nextBuffer_, false);
    nextBuffer_ += 0x10;
    return buffer;
}

// The folder view: every call recorded as "FolderView ...", each counted against answersLeft
// like a message.
class MemoryDesktop::View final : public FolderView {
public:
    explicit View(MemoryDesktop& desktop) : desktop_(desktop) {}
    WindowHandle Window() override {
        if (!Call("Window")) return 0;
        return desktop_.folderViewWindow.value_or(desktop_.shellView);
    }
    std::optional<std::vector<Point>> ItemPositions() override {
        if (!Call("ItemPositions")) return std::nullopt;
        return desktop_.items;
    }
    bool PositionItems(const std::vector<std::optional<Point>>& positions) override {
        std::size_t n = 0;
        for (std::size_t i = 0; i < positions.size() && i < desktop_.items.size(); ++i) n += positions[i].has_value();
        if (!Call("PositionItems " + std::to_string(n)) || desktop_.folderViewRefusesPositioning)
            return false;
        for (std::size_t i = 0; i < positions.size() && i < desktop_.items.size(); ++i)
            if (positions[i]) desktop_.items[i] = *positions[i];
        desktop_.explorerRecord = desktop_.items;
        return true;
    }
    std::optional<bool> AutoArrange() override {
        if (!Call("AutoArrange") || !desktop_.folderViewHasFlags) return std::nullopt;
        return desktop_.AutoArrange();
    }
    bool SetAutoArrange(bool on) override {
        if (!Call(std::string("SetAutoArrange ") + (on ? "1" : "0")) || !desktop_.folderViewHasFlags)
            return false;
        auto& style = desktop_.windows_[desktop_.listView].style;
        style = on ? (style | kLvsAutoArrange) : (style & ~kLvsAutoArrange);
        return true;
    }

private:
    // As the real view: once a call went unanswered, every later one fails at once.
    bool Call(const std::string& what) {
        if (givenUp_) {
            desktop_.Record("FolderView " + what + " (given up)");
            return false;
        }
        desktop_.Record(std::string(desktop_.Hung() ? "(no answer) " : "") + "FolderView " + what);
        givenUp_ = !desktop_.Answers();
        return !givenUp_;
    }
    MemoryDesktop& desktop_;
    bool givenUp_ = false;
};

std::unique_ptr<FolderView> MemoryDesktop::OpenDesktopFolderView() {
    Record("OpenDesktopFolderView");
    if (!offerFolderView || !Answers()) return nullptr;
    return std::make_unique<View>(*this);
}

WindowHandle MemoryDesktop::DesktopWindow() {
    Record("GetDesktopWindow");
    return kDesktopWindow;
}

void MemoryDesktop::LockUpdate(WindowHandle window) {
    Record("LockWindowUpdate " + (window == 0 ? std::string("0") : Hex(window)));
}

void MemoryDesktop::RedrawAll() { Record("InvalidateRect NULL NULL FALSE"); }

}  // namespace platform::memory
