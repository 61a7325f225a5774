#include "icons/icon_mem.h"

#include "modes/display_mode.h"
#include "modes/mode_label.h"

namespace icons {
std::string LayoutFilePath(platform::Display& display, platform::System& system) {
    const modes::DisplayMode mode = modes::ReadModeInEffect(display);
    return system.AppPath() + "\\Iconset\\" + modes::WithSignColumn(mode.width) + "-" +
           modes::WithSignColumn(mode.height);
}

bool IconMem::IconLayoutExists() {
    return system_.FileExists(LayoutFilePath(display_, system_));
}

}  // namespace icons
