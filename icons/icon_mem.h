#pragma once
// Desktop icon layouts, one file per screen size in the program's "\Iconset\" folder.
#include <string>

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

// The layouts of the desktop's icons in the shell's list view. None of the operations reports
// a failure: a step that cannot be done is left out, and nothing is shown to the user.
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
    platform::Platform& platform_;
    platform::Desktop& desktop_;
    bool autoArrangeWasOn_ = false;
};

}  // namespace icons
