#include "icons/icon_mem.h"

#include "icons/icon_refresh.h"
#include "icons/layout_file.h"
#include "icons/list_view.h"
#include "modes/display_mode.h"
#include "modes/mode_label.h"

namespace icons {

namespace {

// The shell may still be re-arranging its icons after the refresh when the first moves arrive;
// the later passes put back what it moved.
constexpr int kRestorePasses = 4;

// Where a new layout is written before it replaces the old one: beside it, on the same volume,
// so that the replacement is a rename.
std::string PendingPath(const std::string& layoutPath) { return layoutPath + ".new"; }

}  // namespace

std::string LayoutFilePath(platform::Display& display, platform::System& system) {
    const modes::DisplayMode mode = modes::ReadModeInEffect(display);
    return system.AppPath() + "\\Iconset\\" + modes::WithSignColumn(mode.width) + "-" +
           modes::WithSignColumn(mode.height);
}

bool IconMem::IconLayoutExists() {
    return platform_.system.FileExists(LayoutFilePath(platform_.display, platform_.system));
}

void IconMem::SaveIconLayout() {
    const std::string path = LayoutFilePath(platform_.display, platform_.system);
    const platform::WindowHandle listView = FindDesktopListView(desktop_);
    if (!listView) return;
    if (AutoArrangeIsOn(desktop_, listView)) {
        autoArrangeWasOn_ = true;
        SendAutoArrangeCommand(desktop_, listView);
    }
    const std::uint32_t processId = desktop_.OwnerProcessId(listView);
    const std::int32_t count = ItemCount(desktop_, listView);
    if (count <= 0) return;
    const auto positions = ReadItemPositions(desktop_, listView, processId, count);
    if (!positions) return;

    platform::System& system = platform_.system;
    const std::string pending = PendingPath(path);
    if (!system.WriteWholeFile(pending, LayoutText(*positions)) ||
        !system.MoveFileOver(pending, path))
        system.RemoveFile(pending);
}

void IconMem::RestoreIconLayout() {
    const std::string path = LayoutFilePath(platform_.display, platform_.system);
    std::vector<std::optional<std::int32_t>> values;
    if (const auto text = platform_.system.ReadWholeFile(path, kMaxLayoutFileBytes))
        values = ReadLayoutValues(*text);

    const platform::WindowHandle listView = FindDesktopListView(desktop_);
    RefreshDesktopIcons(desktop_, platform_.registry);
    // Without a list view there is nothing to move.
    if (listView) {
        for (int pass = 0; pass < kRestorePasses; ++pass) {
            for (std::size_t j = 0; j < values.size(); ++j)
                if (values[j])
                    MoveItem(desktop_, listView, static_cast<std::int32_t>(j), UnpackPosition(*values[j]));
        }
    }
    desktop_.RedrawAll();
    if (autoArrangeWasOn_ && listView) SendAutoArrangeCommand(desktop_, listView);
}

}  // namespace icons
