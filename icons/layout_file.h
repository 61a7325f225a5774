#pragma once
// The text of a layout file: one line per desktop item, in item order, each holding the item's
// packed position x + y * 65536 in its sign column, one blank and CR LF. No header, no count,
// no names.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop.h"

namespace icons {

// A restore reads at most this many values; the rest of the file is ignored.
inline constexpr std::size_t kMaxLayoutValues = 2001;
// Reading stops this far into a file. 2001 values of a dozen characters need 25 KB; a larger
// file is not a layout, and reading it whole could exhaust memory.
inline constexpr std::size_t kMaxLayoutFileBytes = 1 << 20;

// x + y * 65536. A position whose coordinates do not fit the packed value is first moved to
// the nearest one that does: x into -32768 .. 32767, y into -32767 .. 32767 (with y at -32768
// a negative x would leave the signed 32-bit range).
std::int32_t PackPosition(platform::Point position);
// The position a stored value means: x is its low 16 bits taken as signed, y the rest. So
// 327670 is x = -10, y = 5, not the x = -10, y = 4 that its high 16 bits alone would give.
platform::Point UnpackPosition(std::int32_t value);

std::string LayoutLine(platform::Point position);
std::string LayoutText(const std::vector<platform::Point>& positions);

// The values of a layout file in order: fields separated by line ends (CR or LF) or commas,
// blanks around a number skipped, empty fields skipped, at most kMaxLayoutValues. A field that
// is not a whole number in the signed 32-bit range keeps its place as an empty value, so that
// one damaged line leaves its item where it is instead of shifting every later item.
std::vector<std::optional<std::int32_t>> ReadLayoutValues(std::string_view text);

}  // namespace icons
