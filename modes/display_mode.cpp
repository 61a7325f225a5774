#include "modes/display_mode.h"

namespace modes {

DisplayMode FromDevMode(const platform::DevModeFields& record) {
    DisplayMode mode;
    mode.width = static_cast<std::int32_t>(record.pelsWidth);
    mode.height = static_cast<std::int32_t>(record.pelsHeight);
    mode.bitsPerPixel = static_cast<std::int16_t>(record.bitsPerPel & 0xFFFFu);
    mode.refreshRate = static_cast<std::int32_t>(record.displayFrequency);
    return mode;
}

DisplayMode ReadModeInEffect(platform::Display& display) {
    platform::DevModeFields record;
    display.EnumSettings(platform::Display::kCurrentSettings, record);
    return FromDevMode(record);
}

}  // namespace modes
