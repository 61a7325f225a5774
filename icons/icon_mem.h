#pragma once
// Desktop icon layouts, one file per screen size in the program's "\Iconset\" folder.
#include <string>

#include "platform/display.h"
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

class IconMem : public IconLayouts {
public:
    IconMem(platform::Display& display, platform::System& system)
        : display_(display), system_(system) {}

    bool IconLayoutExists() override;
    // Reading and moving the desktop's icons needs the shell's list view across the process
    // boundary, which this build does not reach yet: save and restore do nothing.
    void SaveIconLayout() override {}
    void RestoreIconLayout() override {}

private:
    platform::Display& display_;
    platform::System& system_;
};

}  // namespace icons
