#pragma once
// The text forms of a display mode: the canonical label ("800 x 600 @ 60Hz 256 colors"),
// which buttons show and the settings store, and the list form (the same with one leading
// blank) that fills the mode lists. The parser reads either form back.
#include <cstdint>
#include <string>
#include <string_view>

#include "modes/display_mode.h"

namespace modes {

// A number in its sign column: one blank before zero and positive values, the minus sign
// before negative ones.
std::string WithSignColumn(std::int32_t n);

std::string CanonicalLabel(const DisplayMode& mode);
std::string ListLabel(const DisplayMode& mode);

// Parses a label into its four numbers. Never fails: a step whose marker is missing, whose
// text is empty or not a decimal integer, or whose width does not fit 16 bits is skipped and
// leaves its output as it was, except the width, which passes through a temporary that
// starts at 0 on every call. A depth key other than "16", "256", "16b" and "32b" leaves
// bpp alone.
void GetValueFromString(std::string_view label, std::int32_t& bpp, std::int32_t& width,
                        std::int32_t& height, std::int32_t& frequency);

// Convenience for callers that start from four zeros, as every caller does.
DisplayMode ParseLabel(std::string_view label);

}  // namespace modes
