#pragma once
// Desktop icon layouts, one file per screen size in the program's "\Iconset\" folder.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/display.h"
#include "platform/platform.h"
#include "platform/system.h"

namespace icons {

// The three operations the main window calls after a switch, at start-up and on request.
class IconLayouts {
public:
    virtual ~IconLayouts() = default;
    virtual bool IconLayoutExists() = 0;
    virtual void SaveIconLayout() = 0;
    virtual void RestoreIconLayout() = 0;
};

// Program folder, "\Iconset\", then width "-" height, each number in its sign column:
// " 1024- 768" for 1024 x 768. The size is the mode in effect's.
std::string LayoutFilePath(platform::Display& display, platform::System& system);

// The layouts of the desktop's icons. None of the operations reports a failure: a step that
// cannot be done is left out, and nothing is shown to the user.
//
// Two routes reach the icons:
// - The shell's folder view (Desktop::OpenDesktopFolderView), from Windows Vista on. Since
//   Windows 10 version 1809 it is the only one whose positions Explorer keeps: positions set
//   by list-view messages are put back at Explorer's next save of its own record.
// - List-view messages to the "SysListView32" that the "Progman" / "WorkerW" lookup finds,
//   with a buffer in the shell's process for the positions read.
// The folder view runs when the system offers it and its window is the parent of that very
// list view, so that one operation never mixes two desktops. The messages run on XP (which
// offers no folder view of the desktop), where the folder view's window is another desktop or
// none (Wine's shell: its view has no window, and it answers SelectAndPositionItems with
// E_NOTIMPL), and for any step the folder view refuses. A layout saved by either route is
// the same file and restores by the other: the view's item order is the list view's.
//
// The shell is another process and may hang. Every call into it is bounded in time, and an
// operation that cannot finish is dropped whole: a save writes no file, and a restore whose
// desktop does not answer before it starts moves nothing and changes no setting.
class IconMem : public IconLayouts {
public:
    IconMem(platform::Platform& platform, platform::Desktop& desktop)
        : platform_(platform), desktop_(desktop) {}

    // A file (not a folder) at the layout path of the screen size in effect.
    bool IconLayoutExists() override;
    // Reads every icon position and replaces the layout of the screen size in effect. Without
    // a desktop list view, without icons, or without a buffer to read them through, no file
    // is touched. The new layout is written beside the old one and takes its place only once
    // complete, so a save that fails half-way leaves the old layout whole.
    void SaveIconLayout() override;
    // Reads the layout of the screen size in effect, refreshes the desktop's icons, moves
    // every stored icon in four passes, redraws the screen and, when a save found the desktop
    // arranging itself, sends the auto-arrange command again.
    void RestoreIconLayout() override;

    // Set by a save that found the desktop arranging itself; never cleared while running.
    bool AutoArrangeWasOn() const { return autoArrangeWasOn_; }

private:
    // The shell's folder view when it shows the desktop of this list view; null otherwise.
    std::unique_ptr<platform::FolderView> ViewOf(platform::WindowHandle listView);
    std::optional<std::vector<platform::Point>> ReadThroughListView(platform::WindowHandle listView);
    void MoveThroughListView(platform::WindowHandle listView,
                             const std::vector<std::optional<std::int32_t>>& values);

    platform::Platform& platform_;
    platform::Desktop& desktop_;
    bool autoArrangeWasOn_ = false;
};

}  // namespace icons
