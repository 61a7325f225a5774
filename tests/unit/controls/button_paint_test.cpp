#include <gtest/gtest.h>

#include "controls/button/button_colors.h"
#include "controls/button/pell_xp_button.h"
#include "test_host.h"

namespace {

using controls::OleColor;
using controls::PellXPButton;
using controls::ShiftColor;
using paint::MakeRgb;
using paint::Rgb;
using testing_support::TestHost;

Rgb ShiftB(Rgb c, int n) { return ShiftColor(c, n, true, false); }
Rgb Shift(Rgb c, int n) { return ShiftColor(c, n, false, false); }

// A button as the program's forms have them: ButtonType 3, ColorScheme 2, white face.
struct Drawn {
    TestHost host;
    PellXPButton b{1, "", "Verdana"};
    explicit Drawn(int w = 100, int h = 25, int type = 3, std::string caption = "") {
        b.SetHost(&host);
        b.InitProperties();
        b.SetCaption(std::move(caption));
        b.SetColorScheme(2);
        b.SetButtonType(type);
        b.Resize(w, h);
        b.Show();
        host.text.draws.clear();
    }
    Rgb Px(int x, int y) const { return host.Px(x, y); }
    void Draw(int state) {
        host.text.draws.clear();
        b.DrawButton(state, true);
    }
};

TEST(Type3, UpGradientOfHeight25ShiftsOnePerRow) {
    Drawn d(100, 25);
    // Rows 3 .. H - 4 of the middle column carry nothing but the gradient.
    for (int i = 3; i <= 21; ++i) {
        const int blue = 255 + (255 * -i) / 192;
        EXPECT_EQ(d.Px(50, i), MakeRgb(255 - i, 255 - i, blue)) << i;
    }
    EXPECT_EQ(d.Px(50, 21), MakeRgb(234, 234, 228));
}

TEST(Type3, UpGradientOfHeight50RoundsHalvesToEven) {
    Drawn d(100, 50);
    d.b.SetBackColor(MakeRgb(160, 160, 160));
    const Rgb xf = ShiftB(MakeRgb(160, 160, 160), 48);
    EXPECT_EQ(d.b.Colors().xpFace, MakeRgb(208, 208, 200));
    EXPECT_EQ(d.Px(50, 3), ShiftB(xf, -2));   // round(-1.5)
    EXPECT_EQ(d.Px(50, 5), ShiftB(xf, -2));   // round(-2.5)
    EXPECT_EQ(d.Px(50, 7), ShiftB(xf, -4));   // round(-3.5)
    EXPECT_EQ(d.Px(50, 46), ShiftB(xf, -23));
    EXPECT_EQ(d.Px(50, 3), MakeRgb(206, 206, 198));
}

TEST(Type3, UpFrameCornersAndRestingEdges) {
    Drawn d(100, 25);
    const Rgb xf = 0xFFFFFF;
    EXPECT_EQ(d.Px(0, 10), MakeRgb(0, 60, 115));
    EXPECT_EQ(d.Px(50, 0), MakeRgb(0, 60, 115));
    EXPECT_EQ(d.Px(99, 24), MakeRgb(0, 60, 115));
    for (auto [x, y] : {std::pair{1, 1}, {1, 23}, {98, 1}, {98, 23}})
        EXPECT_EQ(d.Px(x, y), MakeRgb(16, 77, 123)) << x << "," << y;
    EXPECT_EQ(d.Px(50, 23), ShiftB(xf, -48));
    EXPECT_EQ(d.Px(50, 22), ShiftB(xf, -32));
    EXPECT_EQ(d.Px(98, 10), ShiftB(xf, -36));
    EXPECT_EQ(d.Px(97, 10), ShiftB(xf, -24));
    EXPECT_EQ(d.Px(50, 1), xf);  // +16 clamps at white
    EXPECT_EQ(d.Px(1, 10), ShiftB(xf, -5));
    EXPECT_EQ(d.Px(2, 10), ShiftB(xf, -10));
}

TEST(Type3, HoverShowsTheOrangeGlow) {
    Drawn d(100, 25);
    d.b.SetMouseIsOver(true);
    d.Draw(0);
    EXPECT_EQ(d.Px(1, 10), MakeRgb(255, 178, 49));
    EXPECT_EQ(d.Px(50, 23), MakeRgb(231, 150, 0));
    EXPECT_EQ(d.Px(50, 1), MakeRgb(255, 243, 206));
    EXPECT_EQ(d.Px(50, 2), MakeRgb(255, 219, 140));
    EXPECT_EQ(d.Px(2, 10), MakeRgb(255, 203, 107));
    EXPECT_EQ(d.Px(97, 10), MakeRgb(255, 203, 107));
    EXPECT_EQ(d.Px(98, 10), MakeRgb(255, 178, 49));
}

TEST(Type3, FocusOrDefaultShowsTheBlueLinesOnlyWithShowFocusRect) {
    Drawn d(100, 25);
    d.b.SetHasFocus(true);
    d.Draw(0);
    EXPECT_EQ(d.Px(50, 1), MakeRgb(206, 231, 255));
    EXPECT_EQ(d.Px(1, 10), MakeRgb(140, 174, 231));
    EXPECT_EQ(d.Px(50, 23), MakeRgb(107, 130, 239));
    EXPECT_EQ(d.Px(2, 10), MakeRgb(181, 209, 240));
    d.b.SetShowFocusRect(false);
    EXPECT_EQ(d.Px(50, 1), 0xFFFFFFu);
    EXPECT_EQ(d.Px(1, 10), ShiftB(0xFFFFFF, -5));
    d.b.SetHasFocus(false);
    d.host.isDefault = true;
    d.Draw(0);
    EXPECT_EQ(d.Px(1, 10), ShiftB(0xFFFFFF, -5));
    d.b.SetShowFocusRect(true);
    EXPECT_EQ(d.Px(1, 10), MakeRgb(140, 174, 231));
}

TEST(Type3, NoDottedFocusFrame) {
    Drawn d(100, 25);
    d.b.SetHasFocus(true);
    d.Draw(0);
    // The frame would invert (4, 4); it keeps the gradient of row 4.
    EXPECT_EQ(d.Px(4, 4), d.Px(50, 4));
}

TEST(Type3, DownGradientRunsTheOtherWay) {
    Drawn d(100, 25, 3, "Go");
    d.Draw(2);
    const Rgb B = ShiftB(0xFFFFFF, -32);
    // Row H - i has shift -i (s = 1): row 3 is i = 22.
    EXPECT_EQ(d.Px(50, 3), ShiftB(B, -22));
    EXPECT_EQ(d.Px(50, 20), ShiftB(B, -5));
    EXPECT_EQ(d.Px(0, 10), MakeRgb(0, 60, 115));
    EXPECT_EQ(d.Px(50, 23), ShiftB(B, 16));
    EXPECT_EQ(d.Px(97, 10), 0xFFFFFFu);  // the XF line
    EXPECT_EQ(d.Px(2, 10), ShiftB(B, -22));
    ASSERT_EQ(d.host.text.draws.size(), 1u);
    EXPECT_EQ(d.host.text.draws[0].box, d.b.Layout().pressedCaptionRect);
    EXPECT_EQ(d.host.text.draws[0].color, 0xFF0000u);  // ForeOver
}

TEST(Type3, DisabledIsFlatWithItsOwnCaptionColour) {
    Drawn d(100, 25, 3, "Go");
    d.b.SetBackColor(MakeRgb(200, 200, 192));
    d.host.text.draws.clear();
    d.b.SetEnabled(false);
    const Rgb xf = ShiftB(MakeRgb(200, 200, 192), 48);
    EXPECT_EQ(d.Px(20, 10), ShiftB(xf, -24));
    EXPECT_EQ(d.Px(0, 10), ShiftB(xf, -84));
    EXPECT_EQ(d.Px(1, 1), ShiftB(xf, -72));
    ASSERT_EQ(d.host.text.draws.size(), 1u);
    EXPECT_EQ(d.host.text.draws[0].color, ShiftB(xf, -104));
    EXPECT_EQ(d.b.LastCaptionMode(), 5);
}

TEST(Type3, CaptionColoursUpAndHovered) {
    Drawn d(100, 25, 3, "Go");
    d.b.SetForeColor(MakeRgb(1, 2, 3));
    d.Draw(0);
    ASSERT_EQ(d.host.text.draws.size(), 1u);
    EXPECT_EQ(d.host.text.draws[0].color, MakeRgb(1, 2, 3));
    EXPECT_EQ(d.host.text.draws[0].box, d.b.Layout().captionRect);
    d.b.SetMouseIsOver(true);
    d.Draw(0);
    EXPECT_EQ(d.host.text.draws[0].color, 0xFF0000u);
    EXPECT_EQ(d.b.LastCaptionMode(), 1);
}

TEST(ColorScheme2, HoverPaintsFromBackOverThenRestores) {
    Drawn d(100, 25);
    d.b.SetBackOver(MakeRgb(100, 150, 200));
    d.b.SetMouseIsOver(true);
    d.Draw(0);
    const Rgb xf = ShiftB(MakeRgb(100, 150, 200), 48);
    EXPECT_EQ(d.Px(50, 10), ShiftB(xf, -10));
    EXPECT_EQ(d.b.Colors().face, 0xFFFFFFu);
    d.b.SetMouseIsOver(false);
    d.Draw(0);
    EXPECT_EQ(d.Px(50, 10), ShiftB(0xFFFFFF, -10));
}

TEST(ColorScheme1, HoverKeepsThePalette) {
    Drawn d(100, 25);
    d.b.SetColorScheme(1);
    d.b.SetBackOver(MakeRgb(100, 150, 200));
    const Rgb face = d.host.Sys()[15];
    d.b.SetMouseIsOver(true);
    d.Draw(0);
    EXPECT_EQ(d.Px(50, 10), ShiftB(ShiftB(face, 48), -10));
}

TEST(Recipes, CaptionModesOfTheClassicTypes) {
    struct Case {
        int type;
        bool enabled;
        int state;
        int mode;
    };
    const Case cases[] = {{1, false, 0, 3}, {2, true, 2, 2},  {4, false, 0, 3}, {5, false, 0, 4},
                          {6, false, 0, 4}, {7, false, 0, 3}, {8, false, 0, 3}, {9, false, 0, 4},
                          {12, true, 0, 0}, {13, true, 2, 2}, {14, false, 0, 6}, {14, true, 2, 7}};
    for (const Case& c : cases) {
        Drawn d(100, 30, c.type, "Go");
        d.b.SetEnabled(c.enabled);
        d.Draw(c.state);
        EXPECT_EQ(d.b.LastCaptionMode(), c.mode) << c.type;
    }
}

TEST(Recipes, EngravedAndPressedCaptionColours) {
    Drawn d(100, 30, 1, "Go");
    d.b.SetEnabled(false);
    const controls::Palette& p = d.b.Colors();
    ASSERT_EQ(d.host.text.draws.size(), 2u);
    EXPECT_EQ(d.host.text.draws[0].color, p.highlight);
    EXPECT_EQ(d.host.text.draws[0].box, d.b.Layout().pressedCaptionRect);
    EXPECT_EQ(d.host.text.draws[1].color, p.shadow);
    EXPECT_EQ(d.host.text.draws[1].box, d.b.Layout().captionRect);

    Drawn t(100, 30, 14, "Go");
    t.Draw(2);
    ASSERT_EQ(t.host.text.draws.size(), 2u);
    EXPECT_EQ(t.host.text.draws[0].color, Shift(t.b.Colors().shadow, -50));
    EXPECT_EQ(t.host.text.draws[1].color, t.b.Colors().highlight);

    Drawn f(100, 30, 4, "Go");
    f.Draw(2);
    ASSERT_EQ(f.host.text.draws.size(), 1u);
    EXPECT_EQ(f.host.text.draws[0].color, f.b.Colors().light);
}

TEST(Recipes, Type10NeverShowsTheCaption) {
    Drawn d(100, 30, 10, "Go");
    d.Draw(0);
    d.Draw(2);
    d.b.SetEnabled(false);
    EXPECT_TRUE(d.host.text.draws.empty());
    EXPECT_EQ(d.Px(0, 0), d.b.Colors().face);
    EXPECT_EQ(d.Px(50, 15), d.b.Colors().face);
}

TEST(Recipes, TypesOutsideTheRangeDrawOnlyTheFace) {
    for (int type : {0, 15, -2}) {
        Drawn d(40, 20, type, "Go");
        EXPECT_TRUE(d.host.text.draws.empty());
        d.Draw(0);
        EXPECT_TRUE(d.host.text.draws.empty());
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) ASSERT_EQ(d.Px(x, y), 0xFFFFFFu) << type;
    }
}

TEST(Recipes, SpecialEffectCopiesOfTheCaption) {
    Drawn d(100, 30, 2, "Go");
    const Rgb face = d.b.Colors().face;
    const paint::Rect r = d.b.Layout().captionRect;
    d.b.SetSpecialEffect(1);
    ASSERT_EQ(d.host.text.draws.size(), 3u);
    EXPECT_EQ(d.host.text.draws[0].box, r.Offset(1, 1));
    EXPECT_EQ(d.host.text.draws[0].color, Shift(face, -40));
    EXPECT_EQ(d.host.text.draws[1].box, r.Offset(-1, -1));
    EXPECT_EQ(d.host.text.draws[1].color, Shift(face, 40));
    EXPECT_EQ(d.host.text.draws[2].box, r);
    d.host.text.draws.clear();
    d.b.SetSpecialEffect(2);
    EXPECT_EQ(d.host.text.draws[0].color, Shift(face, 40));
    EXPECT_EQ(d.host.text.draws[1].color, Shift(face, -40));
    for (int fx : {3, 7}) {
        d.host.text.draws.clear();
        d.b.SetSpecialEffect(fx);
        ASSERT_EQ(d.host.text.draws.size(), 2u) << fx;
        EXPECT_EQ(d.host.text.draws[0].color, Shift(face, -40));
    }
}

TEST(Recipes, Type14DefaultCaptionIsBold) {
    Drawn d(100, 30, 14, "Go");
    d.host.isDefault = true;
    d.b.SetShowFocusRect(false);  // not consulted for the bold caption
    d.Draw(0);
    ASSERT_EQ(d.host.text.draws.size(), 1u);
    EXPECT_TRUE(d.host.text.draws[0].font.bold);
    EXPECT_FALSE(d.host.Font().bold);
    d.b.SetEnabled(false);
    EXPECT_FALSE(d.host.text.draws.back().font.bold);
}

TEST(Recipes, Type5LilacCaptionFrameWhenFocused) {
    Drawn d(100, 30, 5, "Go");
    d.b.SetHasFocus(true);
    d.Draw(0);
    const paint::Rect r = d.b.Layout().captionRect;
    EXPECT_EQ(d.Px(r.left - 2, r.top - 1), MakeRgb(153, 153, 204));
    EXPECT_EQ(d.Px(r.left - 2 + d.b.Layout().textWidth + 3, r.top), MakeRgb(153, 153, 204));
    d.b.SetHasFocus(false);
    d.Draw(0);
    EXPECT_NE(d.Px(r.left - 2, r.top - 1), MakeRgb(153, 153, 204));
}

TEST(Recipes, DottedFocusFrameOnTheFocusRect) {
    Drawn d(100, 30, 1, "");
    d.b.SetHasFocus(true);
    d.Draw(0);
    const Rgb face = d.b.Colors().face;
    EXPECT_EQ(d.Px(4, 4), face ^ 0xFFFFFFu);
    EXPECT_EQ(d.Px(5, 4), face);
    EXPECT_EQ(d.Px(6, 4), face ^ 0xFFFFFFu);
    d.b.SetShowFocusRect(false);
    EXPECT_EQ(d.Px(4, 4), face);
}

TEST(Recipes, Type2DefaultButtonGetsTheDarkFrame) {
    Drawn d(60, 24, 2, "");
    const controls::Palette p = d.b.Colors();
    EXPECT_EQ(d.Px(0, 10), p.highlight);
    EXPECT_EQ(d.Px(59, 10), p.darkShadow);
    d.host.isDefault = true;
    d.Draw(0);
    EXPECT_EQ(d.Px(0, 10), p.darkShadow);
    EXPECT_EQ(d.Px(1, 10), p.highlight);
    d.Draw(2);
    EXPECT_EQ(d.Px(1, 10), p.shadow);
}

TEST(Recipes, Type13EllipseChangesPenWhenPressed) {
    Drawn d(60, 30, 13, "");
    const controls::Palette p = d.b.Colors();
    d.Draw(2);
    EXPECT_EQ(d.Px(0, 15), p.darkShadow);
    EXPECT_EQ(d.Px(1, 15), p.darkShadow);
    EXPECT_EQ(d.Px(30, 15), Shift(p.face, -32));
    EXPECT_EQ(d.Px(0, 0), p.face);  // the face fill outside the ellipse
    EXPECT_FALSE(d.b.ButtonRegion().Contains(0, 0));
}

TEST(Recipes, Type9HoverFillsWithTheSelectionColours) {
    Drawn d(60, 30, 9, "");
    d.b.SetColorScheme(1);
    const controls::Palette p = d.b.Colors();
    d.b.SetMouseIsOver(true);
    d.Draw(0);
    EXPECT_EQ(d.Px(0, 10), p.hot);
    EXPECT_EQ(d.Px(20, 10), p.hotLight);
    d.Draw(2);
    EXPECT_EQ(d.Px(20, 10), controls::LightenColor(p.hot, 128));
}

TEST(Recipes, Type4PressedReliefIsBasedOnThePressedFace) {
    Drawn d(80, 30, 4, "Go");
    d.b.SetColorScheme(1);
    d.b.SetSpecialEffect(1);
    d.Draw(2);
    const controls::Palette& p = d.b.Colors();
    const Rgb D = Shift(p.shadow, -16);
    ASSERT_EQ(d.host.text.draws.size(), 3u);
    EXPECT_EQ(d.host.text.draws[0].color, Shift(D, -40));
    EXPECT_EQ(d.host.text.draws[1].color, Shift(D, 40));
    EXPECT_EQ(d.Px(10, 10), D);
    EXPECT_EQ(d.Px(0, 10), p.darkShadow);
    EXPECT_EQ(d.Px(1, 10), Shift(p.shadow, -64));
    EXPECT_EQ(d.b.Colors().xpFace, Shift(p.face, 48));  // the palette itself is untouched
}

TEST(Recipes, Type4RoundedFrame) {
    Drawn d(80, 30, 4, "");
    d.b.SetColorScheme(1);
    const controls::Palette& p = d.b.Colors();
    EXPECT_EQ(d.Px(0, 10), p.darkShadow);
    EXPECT_EQ(d.Px(1, 1), p.darkShadow);
    EXPECT_EQ(d.Px(20, 2), p.highlight);
    EXPECT_EQ(d.Px(2, 10), p.highlight);
    EXPECT_EQ(d.Px(3, 3), p.highlight);
    EXPECT_EQ(d.Px(78, 10), p.shadow);
    EXPECT_EQ(d.Px(20, 28), p.shadow);
    EXPECT_EQ(d.Px(77, 10), p.face);
    EXPECT_EQ(d.Px(20, 27), p.face);
    EXPECT_EQ(d.Px(20, 10), p.light);
}

TEST(Recipes, Type14GradientFramesAndStrips) {
    Drawn d(80, 29, 14, "");
    d.b.SetColorScheme(1);
    const controls::Palette& p = d.b.Colors();
    // s = 58 / 29 = 2: row i is the highlight shifted by -2 i.
    EXPECT_EQ(d.Px(40, 10), Shift(p.highlight, -20));
    EXPECT_EQ(d.Px(40, 20), Shift(p.highlight, -40));
    EXPECT_EQ(d.Px(0, 10), Shift(p.shadow, -50));
    EXPECT_EQ(d.Px(1, 10), Shift(p.face, -9));
    EXPECT_EQ(d.Px(40, 2), p.highlight);
    EXPECT_EQ(d.Px(40, 3), p.highlight);
    EXPECT_EQ(d.Px(3, 20), p.highlight);
    d.b.SetMouseIsOver(true);
    d.Draw(0);
    EXPECT_EQ(d.Px(40, 10), p.light);
}

TEST(Recipes, HoverOnlyEdgesOfTypes8And12) {
    for (int type : {8, 12}) {
        Drawn d(60, 24, type, "");
        d.b.SetColorScheme(1);
        const controls::Palette& p = d.b.Colors();
        EXPECT_EQ(d.Px(0, 10), p.face) << type;
        d.b.SetMouseIsOver(true);
        d.Draw(0);
        EXPECT_EQ(d.Px(0, 10), p.highlight) << type;
        EXPECT_EQ(d.Px(59, 10), type == 8 ? p.shadow : p.darkShadow) << type;
        EXPECT_EQ(d.Px(1, 10), type == 8 ? p.face : p.light) << type;
    }
}

TEST(Recipes, Type6BevelInALightenedLight) {
    Drawn d(60, 24, 6, "");
    d.b.SetColorScheme(1);
    const controls::Palette& p = d.b.Colors();
    EXPECT_EQ(d.Px(0, 10), Shift(p.light, 8));
    EXPECT_EQ(d.Px(59, 10), p.shadow);
    d.Draw(2);
    EXPECT_EQ(d.Px(0, 10), p.shadow);
    EXPECT_EQ(d.Px(59, 10), Shift(p.light, 8));
}

TEST(Recipes, BottomUpSurfaceDrawsTheSameFace) {
    class BottomUpHost : public TestHost {
    public:
        void Invalidate(const PellXPButton& button) override {
            const int w = button.ClientWidth(), h = button.ClientHeight();
            if (!buffer || buffer->Width() != w || buffer->Height() != h)
                buffer.emplace(w, h, 0, true);
            paint::Surface s = buffer->View();
            button.Paint(s);
        }
        std::optional<paint::PixelBuffer> buffer;
    };
    Drawn top(50, 20, 3, "Go");
    BottomUpHost host;
    PellXPButton b(1, "Go", "Verdana");
    b.SetHost(&host);
    b.InitProperties();
    b.SetCaption("Go");
    b.SetColorScheme(2);
    b.Resize(50, 20);
    b.Show();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 50; ++x) ASSERT_EQ(host.buffer->Pixel(x, y), top.Px(x, y)) << x << "," << y;
}

}  // namespace
