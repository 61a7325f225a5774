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

std::vector<DisplayMode> OfferedModes(platform::Display& display) {
    std::vector<DisplayMode> modes;
    // One record for the whole enumeration, as the platform call fills it in place.
    platform::DevModeFields record;
    for (std::int32_t i = 0;; ++i) {
        if (static_cast<std::int16_t>(display.EnumSettings(i, record)) == 0) break;
        modes.push_back(FromDevMode(record));
    }
    return modes;
}

}  // namespace modes
