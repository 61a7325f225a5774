#include <gtest/gtest.h>

#include "controls/button/button_colors.h"

namespace {

using namespace controls;
using paint::MakeRgb;

TEST(ShiftColor, BlueProportionalScalesTheBlueShift) {
    EXPECT_EQ(ShiftColor(MakeRgb(128, 128, 128), 48, true, false), MakeRgb(176, 176, 160));
    EXPECT_EQ(ShiftColor(MakeRgb(128, 128, 128), 48, false, false), MakeRgb(176, 176, 176));
    // Downwards the proportional part truncates toward zero: 255 * -25 / 192 is -33.2.
    EXPECT_EQ(ShiftColor(MakeRgb(255, 255, 255), -25, true, false), MakeRgb(230, 230, 222));
}

TEST(ShiftColor, SoftBevelHalvesTheAmount) {
    EXPECT_EQ(ShiftColor(MakeRgb(100, 100, 100), -5, false, true), MakeRgb(98, 98, 98));
    EXPECT_EQ(ShiftColor(MakeRgb(100, 101, 102), 1, false, true), MakeRgb(100, 101, 102));
    EXPECT_EQ(ShiftColor(MakeRgb(100, 100, 100), 48, false, true), MakeRgb(124, 124, 124));
}

TEST(ShiftColor, ClampsInsteadOfWrapping) {
    EXPECT_EQ(ShiftColor(MakeRgb(250, 10, 0), 16, false, false), MakeRgb(255, 26, 16));
    EXPECT_EQ(ShiftColor(MakeRgb(250, 10, 0), -16, false, false), MakeRgb(234, 0, 0));
    EXPECT_EQ(ShiftColor(MakeRgb(250, 10, 0), 0, false, false), MakeRgb(250, 10, 0));
}

TEST(LightenColor, MovesEachChannelTowardWhite) {
    EXPECT_EQ(LightenColor(MakeRgb(0, 0, 128), 176), MakeRgb(176, 176, 215));
    EXPECT_EQ(LightenColor(MakeRgb(255, 0, 10), 128), MakeRgb(255, 128, 132));
    EXPECT_EQ(LightenColor(MakeRgb(0, 0, 0), 0), MakeRgb(0, 0, 0));
}

SystemColors NumberedTable() {
    SystemColors s;
    for (int i = 0; i < 31; ++i) s.colors[i] = MakeRgb(i, 2 * i, 3 * i);
    return s;
}

TEST(TranslateColor, ResolvesSystemReferencesAndKeepsRgb) {
    const SystemColors sys = NumberedTable();
    EXPECT_EQ(TranslateColor(SystemColorRef(kColorBtnFace), sys), MakeRgb(15, 30, 45));
    EXPECT_EQ(TranslateColor(static_cast<OleColor>(0x80000012), sys), MakeRgb(18, 36, 54));
    EXPECT_EQ(TranslateColor(0x00C0FFEE, sys), 0x00C0FFEEu);
    EXPECT_EQ(TranslateColor(SystemColorRef(200), sys), 0u);  // no such system colour
}

TEST(SetColors, Scheme2DerivesFromBackColor) {
    ColorInputs in;
    in.colorScheme = 2;
    in.buttonType = 2;
    in.backColor = MakeRgb(100, 100, 96);
    in.foreColor = MakeRgb(1, 2, 3);
    in.foreOver = SystemColorRef(kColorHighlight);
    const SystemColors sys = NumberedTable();
    const Palette p = SetColors(in, sys);
    EXPECT_EQ(p.face, MakeRgb(100, 100, 96));
    EXPECT_EQ(p.text, MakeRgb(1, 2, 3));
    EXPECT_EQ(p.textOver, MakeRgb(13, 26, 39));
    EXPECT_EQ(p.shadow, MakeRgb(36, 36, 32));
    EXPECT_EQ(p.light, MakeRgb(131, 131, 127));
    EXPECT_EQ(p.highlight, MakeRgb(147, 147, 143));
    EXPECT_EQ(p.darkShadow, MakeRgb(0, 0, 0));
    EXPECT_EQ(p.hot, MakeRgb(0, 0, 0));
    EXPECT_EQ(p.hotLight, p.face);
    EXPECT_EQ(p.mask, MakeRgb(192, 192, 192));
    EXPECT_EQ(p.xpFace, MakeRgb(148, 148, 144));  // plain for every type but 3
    in.buttonType = 3;
    EXPECT_EQ(SetColors(in, sys).xpFace, MakeRgb(148, 148, 120));
}

TEST(SetColors, WhiteFaceOfTheProgramsButtons) {
    ColorInputs in;
    in.colorScheme = 2;
    in.buttonType = 3;
    in.backColor = 0xFFFFFF;
    const Palette p = SetColors(in, NumberedTable());
    EXPECT_EQ(p.xpFace, 0xFFFFFFu);
    EXPECT_EQ(p.shadow, MakeRgb(191, 191, 191));
    EXPECT_EQ(p.light, 0xFFFFFFu);
    EXPECT_EQ(p.hot, MakeRgb(127, 127, 127));
}

TEST(SetColors, Scheme1AndUnknownSchemesUseSystemColours) {
    const SystemColors sys = NumberedTable();
    for (int scheme : {1, 0, 5, -3}) {
        ColorInputs in;
        in.colorScheme = scheme;
        in.buttonType = 2;
        const Palette p = SetColors(in, sys);
        EXPECT_EQ(p.face, sys[15]) << scheme;
        EXPECT_EQ(p.shadow, sys[16]);
        EXPECT_EQ(p.light, sys[22]);
        EXPECT_EQ(p.darkShadow, sys[21]);
        EXPECT_EQ(p.highlight, sys[20]);
        EXPECT_EQ(p.text, sys[18]);
        EXPECT_EQ(p.textOver, sys[18]);
        EXPECT_EQ(p.hot, sys[13]);
        EXPECT_EQ(p.hotLight, LightenColor(sys[13], 176));
    }
}

TEST(SetColors, Scheme3IsTheFixedGreyPalette) {
    ColorInputs in;
    in.colorScheme = 3;
    in.backColor = MakeRgb(1, 1, 1);
    const Palette p = SetColors(in, NumberedTable());
    EXPECT_EQ(p.face, MakeRgb(192, 192, 192));
    EXPECT_EQ(p.shadow, MakeRgb(128, 128, 128));
    EXPECT_EQ(p.light, MakeRgb(223, 223, 223));
    EXPECT_EQ(p.highlight, MakeRgb(255, 255, 255));
    EXPECT_EQ(p.hot, MakeRgb(0, 0, 128));
    EXPECT_EQ(p.hotLight, MakeRgb(173, 173, 209));
}

TEST(SetColors, Scheme4TakesTheParentsColours) {
    ColorInputs in;
    in.colorScheme = 4;
    in.buttonType = 1;
    in.parentBack = MakeRgb(100, 110, 120);
    in.parentText = MakeRgb(5, 6, 7);
    const SystemColors sys = NumberedTable();
    const Palette p = SetColors(in, sys);
    EXPECT_EQ(p.face, MakeRgb(100, 110, 120));
    EXPECT_EQ(p.text, MakeRgb(5, 6, 7));
    EXPECT_EQ(p.textOver, MakeRgb(5, 6, 7));
    EXPECT_EQ(p.shadow, MakeRgb(36, 46, 56));
    EXPECT_EQ(p.hot, sys[13]);
}

TEST(SetColors, SoftBevelHalvesThePaletteShifts) {
    ColorInputs in;
    in.colorScheme = 2;
    in.buttonType = 2;
    in.backColor = MakeRgb(100, 100, 100);
    in.softBevel = true;
    const Palette p = SetColors(in, NumberedTable());
    EXPECT_EQ(p.shadow, MakeRgb(68, 68, 68));
    EXPECT_EQ(p.xpFace, MakeRgb(124, 124, 124));
}

}  // namespace
