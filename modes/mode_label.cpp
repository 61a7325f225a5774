#include "modes/mode_label.h"

#include "platform/decimal.h"

#include <limits>
#include <optional>

namespace modes {

using platform::Decimal;
namespace {

struct DepthWord {
    int bitsPerPixel;
    const char* word;  // canonical form; the list form puts one more blank in front
    const char* key;   // what the parser extracts from the word
};

constexpr DepthWord kDepthWords[] = {
    {4, "16 colors", "16"},
    {8, "256 colors", "256"},
    {16, "16bit colors", "16b"},
    {32, "32bit colors", "32b"},
};

const char* DepthWordFor(int bitsPerPixel) {
    for (const auto& d : kDepthWords)
        if (d.bitsPerPixel == bitsPerPixel) return d.word;
    return nullptr;
}

// 1-based position of the first `c` in `text`, 0 when absent (case-sensitive).
int Find(std::string_view text, char c) {
    const auto at = text.find(c);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

// The first or last n characters. A negative count cannot be taken: the step fails.
// A count past the end yields the whole text.
std::optional<std::string_view> Left(std::string_view text, int n) {
    if (n < 0) return std::nullopt;
    return text.substr(0, static_cast<std::size_t>(n));
}

std::optional<std::string_view> Right(std::string_view text, int n) {
    if (n < 0) return std::nullopt;
    const auto count = std::min(text.size(), static_cast<std::size_t>(n));
    return text.substr(text.size() - count);
}

std::optional<std::int64_t> ToInt16(std::string_view t) {
    return platform::ParseDecimal(t, std::numeric_limits<std::int16_t>::min(),
                     std::numeric_limits<std::int16_t>::max());
}

std::optional<std::int64_t> ToInt32(std::string_view t) {
    return platform::ParseDecimal(t, std::numeric_limits<std::int32_t>::min(),
                     std::numeric_limits<std::int32_t>::max());
}

std::optional<std::int32_t> ParseWidth(std::string_view s) {
    const int p = Find(s, 'x');
    const auto head = Left(s, p - 2);  // everything before the blank that precedes "x"
    if (!head) return std::nullopt;
    const auto w = ToInt16(*head);
    if (!w) return std::nullopt;
    return static_cast<std::int32_t>(*w);
}

std::optional<std::int32_t> ParseHeight(std::string_view s) {
    const int q = Find(s, '@');
    const auto head = Left(s, q - 2);
    if (!head) return std::nullopt;
    const int r = Find(*head, 'x');
    const auto digits = Right(*head, q - (r + 3));
    if (!digits) return std::nullopt;
    const auto h = ToInt32(*digits);
    if (!h) return std::nullopt;
    return static_cast<std::int32_t>(*h);
}

std::optional<std::int32_t> ParseFrequency(std::string_view s) {
    const int hz = Find(s, 'H');
    const auto head = Left(s, hz - 1);
    if (!head) return std::nullopt;
    const int t = Find(*head, '@');
    const auto digits = Right(*head, hz - (t + 2));
    if (!digits) return std::nullopt;
    const auto f = ToInt32(*digits);
    if (!f) return std::nullopt;
    return static_cast<std::int32_t>(*f);
}

std::optional<std::string_view> ParseDepthKey(std::string_view s) {
    const int u = Find(s, 'b');
    if (u != 0) {
        const auto head = Left(s, u);  // up to and including the "b"
        const int v = Find(*head, 'z');
        return Right(*head, u - v - 1);
    }
    const int c = Find(s, 'c');
    const auto head = Left(s, c - 2);
    if (!head) return std::nullopt;
    const int v = Find(*head, 'z');
    return Right(*head, c - (v + 3));
}

}  // namespace

std::string WithSignColumn(std::int32_t n) { return n < 0 ? Decimal(n) : " " + Decimal(n); }

std::string CanonicalLabel(const DisplayMode& mode) {
    std::string label = Decimal(mode.width) + " x " + Decimal(mode.height) + " @ " +
                        Decimal(mode.refreshRate) + "Hz ";
    if (const char* word = DepthWordFor(mode.bitsPerPixel)) label += word;
    return label;
}

std::string ListLabel(const DisplayMode& mode) {
    std::string label = WithSignColumn(mode.width) + " x" + WithSignColumn(mode.height) + " @" +
                        WithSignColumn(mode.refreshRate) + "Hz";
    if (const char* word = DepthWordFor(mode.bitsPerPixel)) label += std::string(" ") + word;
    return label;
}

void GetValueFromString(std::string_view label, std::int32_t& bpp, std::int32_t& width,
                        std::int32_t& height, std::int32_t& frequency) {
    width = ParseWidth(label).value_or(0);
    if (const auto h = ParseHeight(label)) height = *h;
    if (const auto f = ParseFrequency(label)) frequency = *f;
    if (const auto key = ParseDepthKey(label)) {
        for (const auto& d : kDepthWords)
            if (*key == d.key) {
                bpp = d.bitsPerPixel;
                break;
            }
    }
}

DisplayMode ParseLabel(std::string_view label) {
    std::int32_t bpp = 0, width = 0, height = 0, frequency = 0;
    GetValueFromString(label, bpp, width, height, frequency);
    DisplayMode mode;
    mode.width = width;
    mode.height = height;
    mode.bitsPerPixel = static_cast<std::int16_t>(bpp);
    mode.refreshRate = frequency;
    return mode;
}

}  // namespace modes
