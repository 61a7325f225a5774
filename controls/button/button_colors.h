#pragma once
// The push button's colours: OLE colours turned into RGB, the shifts its bevels and gradients are
// made of, and the palette each ColorScheme yields.
#include <array>
#include <cstdint>

#include "controls/paint/color.h"

namespace controls {

using paint::Rgb;

// An RGB value, or with the high bit set a reference to the system colour in its low byte.
using OleColor = std::int32_t;

constexpr OleColor SystemColorRef(int index) {
    return static_cast<OleColor>(0x80000000u | static_cast<std::uint32_t>(index & 0xFF));
}

// GetSysColor indices the palette uses.
enum SysColorIndex : int {
    kColorHighlight = 13,
    kColorBtnFace = 15,
    kColorBtnShadow = 16,
    kColorBtnText = 18,
    kColorBtnHighlight = 20,
    kColor3DDkShadow = 21,
    kColor3DLight = 22,
};

// The system colour table, as GetSysColor reports it; the host fills it, tests fix it.
struct SystemColors {
    std::array<Rgb, 31> colors{};

    Rgb operator[](int index) const {
        return index >= 0 && index < static_cast<int>(colors.size()) ? colors[index] : 0;
    }
    // The Windows standard ("Windows Classic") colours.
    static SystemColors Classic();
};

// OleTranslateColor without a palette. A reference to an index the table does not have gives
// black (OleTranslateColor would fail; nothing here reports errors).
Rgb TranslateColor(OleColor c, const SystemColors& sys);

// Each channel moved by n (with softBevel by n / 2), blue by b * n / 192 instead when
// blueProportional; clamped to 0..255 in the direction of the shift, never wrapped.
Rgb ShiftColor(Rgb c, int n, bool blueProportional, bool softBevel);

// Each channel moved toward white: a + (255 - a) * x / 255, at most 255.
Rgb LightenColor(Rgb c, int a);

struct Palette {
    Rgb face = 0, light = 0, highlight = 0, shadow = 0, darkShadow = 0, text = 0, textOver = 0,
        mask = 0, xpFace = 0, hot = 0, hotLight = 0;
    bool operator==(const Palette&) const = default;
};

// What SetColors reads.
struct ColorInputs {
    int colorScheme = 1;
    int buttonType = 3;
    OleColor backColor = 0xFFFFFF;
    OleColor foreColor = 0;
    OleColor foreOver = 0xFF0000;
    OleColor maskColor = 0xC0C0C0;
    bool softBevel = false;
    Rgb parentBack = 0xFFFFFF;  // ColorScheme 4: the parent's drawing context
    Rgb parentText = 0;
};

Palette SetColors(const ColorInputs& in, const SystemColors& sys);

}  // namespace controls
