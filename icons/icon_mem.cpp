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

std::unique_ptr<platform::FolderView> IconMem::ViewOf(platform::WindowHandle listView) {
    std::unique_ptr<platform::FolderView> view = desktop_.OpenDesktopFolderView();
    if (!view) return nullptr;
    const platform::WindowHandle viewWindow = view->Window();
    if (!viewWindow || viewWindow != desktop_.ParentOf(listView)) return nullptr;
    return view;
}

std::optional<std::vector<platform::Point>> IconMem::ReadThroughListView(
    platform::WindowHandle listView) {
    const std::uint32_t processId = desktop_.OwnerProcessId(listView);
    const std::optional<std::int32_t> count = ItemCount(desktop_, listView);
    if (!count) return std::nullopt;
    if (*count <= 0) return std::vector<platform::Point>();
    return ReadItemPositions(desktop_, listView, processId, *count);
}

void IconMem::MoveThroughListView(platform::WindowHandle listView,
                                  const std::vector<std::optional<std::int32_t>>& values) {
    for (int pass = 0; pass < kRestorePasses; ++pass) {
        for (std::size_t j = 0; j < values.size(); ++j) {
            if (!values[j]) continue;
            // A shell that stops answering half-way would hold the thread for every further
            // item: what is left is not sent.
            if (!MoveItem(desktop_, listView, static_cast<std::int32_t>(j), UnpackPosition(*values[j])))
                return;
        }
    }
}

void IconMem::SaveIconLayout() {
    const std::string path = LayoutFilePath(platform_.display, platform_.system);
    const platform::WindowHandle listView = FindDesktopListView(desktop_);
    if (!listView) return;
    const std::unique_ptr<platform::FolderView> view = ViewOf(listView);

    // The view's own arrangement flag where it has one; else the list view's style and the
    // shell view's command, which switches the arrangement over.
    const std::optional<bool> viewArranges = view ? view->AutoArrange() : std::nullopt;
    if (viewArranges) {
        if (*viewArranges) {
            autoArrangeWasOn_ = true;
            if (!view->SetAutoArrange(false)) return;
        }
    } else if (AutoArrangeIsOn(desktop_, listView)) {
        autoArrangeWasOn_ = true;
        if (!SendAutoArrangeCommand(desktop_, listView)) return;
    }

    std::optional<std::vector<platform::Point>> positions;
    if (view) positions = view->ItemPositions();
    if (!positions) positions = ReadThroughListView(listView);
    if (!positions || positions->empty()) return;

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
    // A desktop that does not answer now would take the icon-size change and then hold every
    // move: the restore is dropped before anything changes.
    if (listView && !ListViewAnswers(desktop_, listView)) return;
    RefreshDesktopIcons(desktop_, platform_.registry);
    // Without a list view there is nothing to move.
    std::unique_ptr<platform::FolderView> view;
    if (listView) {
        view = ViewOf(listView);
        if (!values.empty()) {
            std::vector<std::optional<platform::Point>> positions(values.size());
            for (std::size_t j = 0; j < values.size(); ++j)
                if (values[j]) positions[j] = UnpackPosition(*values[j]);
            // One call places every icon, so Explorer records the layout as a whole.
            if (!view || !view->PositionItems(positions)) MoveThroughListView(listView, values);
        }
    }
    desktop_.RedrawAll();
    if (autoArrangeWasOn_ && listView) {
        if (!(view && view->AutoArrange() && view->SetAutoArrange(true)))
            SendAutoArrangeCommand(desktop_, listView);
    }
}

}  // namespace icons
