#include "icons/layout_file.h"

#include <algorithm>
#include <limits>

#include "modes/mode_label.h"
#include "platform/decimal.h"

namespace icons {

std::int32_t PackPosition(platform::Point position) {
    const std::int64_t x = std::clamp<std::int64_t>(position.x, -32768, 32767);
    const std::int64_t y = std::clamp<std::int64_t>(position.y, -32767, 32767);
    return static_cast<std::int32_t>(x + y * 65536);
}

platform::Point UnpackPosition(std::int32_t value) {
    const auto x = static_cast<std::int16_t>(static_cast<std::uint32_t>(value) & 0xFFFF);
    return {x, static_cast<std::int32_t>((static_cast<std::int64_t>(value) - x) / 65536)};
}

std::string LayoutLine(platform::Point position) {
    return modes::WithSignColumn(PackPosition(position)) + " \r\n";
}

std::string LayoutText(const std::vector<platform::Point>& positions) {
    std::string text;
    text.reserve(positions.size() * 12);
    for (const platform::Point& p : positions) text += LayoutLine(p);
    return text;
}

std::vector<std::optional<std::int32_t>> ReadLayoutValues(std::string_view text) {
    std::vector<std::optional<std::int32_t>> values;
    auto isSeparator = [](char c) { return c == '\r' || c == '\n' || c == ','; };
    while (!text.empty() && values.size() < kMaxLayoutValues) {
        const auto end = std::find_if(text.begin(), text.end(), isSeparator);
        const std::string_view field = text.substr(0, static_cast<std::size_t>(end - text.begin()));
        text.remove_prefix(std::min(text.size(), field.size() + 1));
        if (field.find_first_not_of(" \t") == std::string_view::npos) continue;
        const auto value = platform::ParseDecimal(field, std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max());
        values.push_back(value ? std::optional<std::int32_t>(static_cast<std::int32_t>(*value))
                               : std::nullopt);
    }
    return values;
}

}  // namespace icons
