#include "icons/list_view.h"

#include <algorithm>

namespace icons {

using platform::Desktop;
using platform::WindowHandle;

namespace {

// Windows 10 and 11 move the icon view out of "Progman" into a top-level "WorkerW" while a
// wallpaper slideshow or a wallpaper program runs; empty "WorkerW" windows lie beside it.
WindowHandle FindWorkerWListView(Desktop& desktop) {
    // Bounded: the windows can change order while they are walked.
    constexpr int kMostWorkerWs = 256;
    WindowHandle worker = desktop.FindTopLevelAfter(0, "WorkerW");
    for (int i = 0; worker && i < kMostWorkerWs; ++i) {
        if (const WindowHandle shellView = desktop.FindChild(worker, "SHELLDLL_DefView"))
            return desktop.FindChild(shellView, "SysListView32");
        worker = desktop.FindTopLevelAfter(worker, "WorkerW");
    }
    return 0;
}

}  // namespace

WindowHandle FindDesktopListView(Desktop& desktop) {
    // The classic place first; only when it holds no list view, the "WorkerW" windows.
    WindowHandle listView = 0;
    if (const WindowHandle progman = desktop.FindTopLevel("Progman")) {
        // Class names match without regard to case; this spelling is the one the lookup has
        // always used.
        if (const WindowHandle shellView = desktop.FindChild(progman, "SHELLDLL_defVIEW"))
            listView = desktop.FindChild(shellView, "SysListView32");
    }
    return listView ? listView : FindWorkerWListView(desktop);
}

bool IsWindowsNT(Desktop& desktop) {
    const auto id = desktop.VersionPlatformId();
    return id && *id == kVerPlatformWin32Nt;
}

bool AutoArrangeIsOn(Desktop& desktop, WindowHandle listView) {
    return (desktop.WindowStyle(listView) & kLvsAutoArrange) != 0;
}

bool ListViewAnswers(Desktop& desktop, WindowHandle listView) {
    return desktop.Send(listView, kWmNull, 0, 0).has_value();
}

bool SendAutoArrangeCommand(Desktop& desktop, WindowHandle listView) {
    return desktop.Send(desktop.ParentOf(listView), kWmCommand, kAutoArrangeCommand, 0).has_value();
}

std::optional<std::int32_t> ItemCount(Desktop& desktop, WindowHandle listView) {
    const auto count = desktop.Send(listView, kLvmGetItemCount, 0, 0);
    if (!count) return std::nullopt;
    return static_cast<std::int32_t>(*count);
}

std::optional<std::vector<platform::Point>> ReadItemPositions(Desktop& desktop,
                                                              WindowHandle listView,
                                                              std::uint32_t processId,
                                                              std::int32_t count) {
    if (count <= 0) return std::vector<platform::Point>();
    std::vector<platform::Point> positions(static_cast<std::size_t>(count));
    const std::unique_ptr<platform::PointBuffer> buffer =
        IsWindowsNT(desktop) ? desktop.AllocRemoteBuffer(processId) : desktop.MapSharedBuffer();
    if (!buffer) return std::nullopt;
    // An item the list view does not answer for keeps what the buffer held before: zero for
    // the first.
    buffer->Store(positions[0]);
    for (std::int32_t i = 0; i < count; ++i) {
        if (!desktop.Send(listView, kLvmGetItemPosition, static_cast<std::uintptr_t>(i),
                          static_cast<std::intptr_t>(buffer->Address())))
            return std::nullopt;
        buffer->Load(positions[static_cast<std::size_t>(i)]);
    }
    return positions;
}

bool MoveItem(Desktop& desktop, WindowHandle listView, std::int32_t index, platform::Point position) {
    // A coordinate beyond 16 bits would wrap to the other side of the screen; the edge is
    // nearer.
    const auto x = static_cast<std::int16_t>(std::clamp(position.x, -32768, 32767));
    const auto y = static_cast<std::int16_t>(std::clamp(position.y, -32768, 32767));
    const std::uint32_t packed = static_cast<std::uint16_t>(x) |
                                 static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16;
    // Zero-extended on 64-bit Windows, as MAKELPARAM does.
    return desktop
        .Send(listView, kLvmSetItemPosition, static_cast<std::uintptr_t>(index),
              static_cast<std::intptr_t>(static_cast<std::uintptr_t>(packed)))
        .has_value();
}

}  // namespace icons
