// The mode label parser over any text: a "BtnMovie" value from the registry reaches it
// unchecked. It must never fail, and a label it wrote itself must read back as the mode.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "modes/mode_label.h"

namespace {

bool HasDepthWord(int bpp) { return bpp == 4 || bpp == 8 || bpp == 16 || bpp == 32; }

// A label built from a mode parses back to the mode: the width only within 16 bits, the depth
// only where it has a word. Numbers are non-negative, as every mode a driver offers is (the
// list form writes a minus sign where the parser expects the blank before the number).
void CheckRoundTrip(const modes::DisplayMode& mode) {
    const std::int32_t width = mode.width <= std::numeric_limits<std::int16_t>::max() ? mode.width : 0;
    const std::int32_t bpp = HasDepthWord(mode.bitsPerPixel) ? mode.bitsPerPixel : 0;
    for (const std::string& label : {modes::CanonicalLabel(mode), modes::ListLabel(mode)}) {
        const modes::DisplayMode back = modes::ParseLabel(label);
        FUZZ_CHECK(back.width == width);
        FUZZ_CHECK(back.height == mode.height);
        FUZZ_CHECK(back.refreshRate == mode.refreshRate);
        FUZZ_CHECK(back.bitsPerPixel == bpp);
    }
}

std::int32_t NonNegative(const std::uint8_t* p) {
    return static_cast<std::int32_t>((p[0] | p[1] << 8 | p[2] << 16 | (p[3] & 0x7F) << 24));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Outputs the parser must leave alone when a step fails: the caller's values survive.
    std::int32_t bpp = 7, width = 7, height = 7, frequency = 7;
    modes::GetValueFromString(text, bpp, width, height, frequency);
    FUZZ_CHECK(width >= std::numeric_limits<std::int16_t>::min() &&
               width <= std::numeric_limits<std::int16_t>::max());
    FUZZ_CHECK(bpp == 7 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 32);

    // The same bytes as a mode.
    if (size >= 14) {
        modes::DisplayMode mode;
        mode.width = NonNegative(data);
        mode.height = NonNegative(data + 4);
        mode.refreshRate = NonNegative(data + 8);
        mode.bitsPerPixel = static_cast<std::int16_t>((data[12] | data[13] << 8) & 0x7FFF);
        CheckRoundTrip(mode);
        // The depths with a word, whatever the bytes say.
        for (std::int16_t b : {4, 8, 16, 32}) {
            mode.bitsPerPixel = b;
            CheckRoundTrip(mode);
        }
    }
    return 0;
}
