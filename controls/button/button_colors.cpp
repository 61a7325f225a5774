#include "controls/button/button_colors.h"

#include <algorithm>

namespace controls {

using paint::MakeRgb;

SystemColors SystemColors::Classic() {
    SystemColors s;
    s.colors = {
        MakeRgb(212, 208, 200), MakeRgb(58, 110, 165),  MakeRgb(10, 36, 106),
        MakeRgb(128, 128, 128), MakeRgb(212, 208, 200), MakeRgb(255, 255, 255),
        MakeRgb(0, 0, 0),       MakeRgb(0, 0, 0),       MakeRgb(0, 0, 0),
        MakeRgb(255, 255, 255), MakeRgb(212, 208, 200), MakeRgb(212, 208, 200),
        MakeRgb(128, 128, 128), MakeRgb(10, 36, 106),   MakeRgb(255, 255, 255),
        MakeRgb(212, 208, 200), MakeRgb(128, 128, 128), MakeRgb(128, 128, 128),
        MakeRgb(0, 0, 0),       MakeRgb(212, 208, 200), MakeRgb(255, 255, 255),
        MakeRgb(64, 64, 64),    MakeRgb(212, 208, 200), MakeRgb(0, 0, 0),
        MakeRgb(255, 255, 225), MakeRgb(181, 181, 181), MakeRgb(0, 0, 128),
        MakeRgb(166, 202, 240), MakeRgb(192, 192, 192), MakeRgb(49, 106, 197),
        MakeRgb(236, 233, 216),
    };
    return s;
}

Rgb TranslateColor(OleColor c, const SystemColors& sys) {
    const auto u = static_cast<std::uint32_t>(c);
    if (u & 0x80000000u) return sys[static_cast<int>(u & 0xFF)];
    return u & 0xFFFFFFu;
}

Rgb ShiftColor(Rgb c, int n, bool blueProportional, bool softBevel) {
    if (softBevel) n /= 2;
    int r = paint::Red(c) + n;
    int g = paint::Green(c) + n;
    const int b0 = paint::Blue(c);
    int b = blueProportional ? b0 + (b0 * n) / 192 : b0 + n;
    if (n > 0) {
        r = std::min(r, 255), g = std::min(g, 255), b = std::min(b, 255);
    } else if (n < 0) {
        r = std::max(r, 0), g = std::max(g, 0), b = std::max(b, 0);
    }
    return MakeRgb(r, g, b);
}

Rgb LightenColor(Rgb c, int a) {
    auto ch = [a](int x) { return std::min(a + ((255 - a) * x) / 255, 255); };
    return MakeRgb(ch(paint::Red(c)), ch(paint::Green(c)), ch(paint::Blue(c)));
}

Palette SetColors(const ColorInputs& in, const SystemColors& sys) {
    Palette p;
    auto shift = [&](Rgb c, int n) { return ShiftColor(c, n, false, in.softBevel); };
    auto shiftedFromFace = [&] {
        p.shadow = shift(p.face, -64);
        p.light = shift(p.face, 31);
        p.highlight = shift(p.face, 47);
        p.darkShadow = shift(p.face, -192);
    };
    switch (in.colorScheme) {
    case 2:
        p.face = TranslateColor(in.backColor, sys);
        p.text = TranslateColor(in.foreColor, sys);
        p.textOver = TranslateColor(in.foreOver, sys);
        shiftedFromFace();
        p.hot = shift(p.face, -128);
        p.hotLight = p.face;
        break;
    case 3:
        p.face = MakeRgb(192, 192, 192);
        p.shadow = MakeRgb(128, 128, 128);
        p.light = MakeRgb(223, 223, 223);
        p.darkShadow = MakeRgb(0, 0, 0);
        p.highlight = MakeRgb(255, 255, 255);
        p.text = p.textOver = MakeRgb(0, 0, 0);
        p.hot = MakeRgb(0, 0, 128);
        p.hotLight = MakeRgb(173, 173, 209);
        break;
    case 4:
        p.face = in.parentBack;
        p.text = p.textOver = in.parentText;
        shiftedFromFace();
        p.hot = sys[kColorHighlight];
        p.hotLight = LightenColor(p.hot, 176);
        break;
    default:
        p.face = sys[kColorBtnFace];
        p.shadow = sys[kColorBtnShadow];
        p.light = sys[kColor3DLight];
        p.darkShadow = sys[kColor3DDkShadow];
        p.highlight = sys[kColorBtnHighlight];
        p.text = p.textOver = sys[kColorBtnText];
        p.hot = sys[kColorHighlight];
        p.hotLight = LightenColor(p.hot, 176);
        break;
    }
    p.mask = TranslateColor(in.maskColor, sys);
    p.xpFace = ShiftColor(p.face, 48, in.buttonType == 3, in.softBevel);
    return p;
}

}  // namespace controls
