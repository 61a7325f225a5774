#pragma once
// One display mode of the primary display, and reading the mode in effect.
#include <cstdint>
#include <vector>

#include "platform/display.h"

namespace modes {

struct DisplayMode {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int16_t bitsPerPixel = 0;  // only the low 16 bits of dmBitsPerPel count
    std::int32_t refreshRate = 0;

    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

DisplayMode FromDevMode(const platform::DevModeFields& record);

// The mode in effect. The platform's result is not looked at: when the read fails the
// zero-filled record gives the all-zero mode.
DisplayMode ReadModeInEffect(platform::Display& display);

// Every mode the platform offers, in its order: the mode number of each is its position.
// The enumeration ends at the first mode number the platform does not fill.
std::vector<DisplayMode> OfferedModes(platform::Display& display);

}  // namespace modes
