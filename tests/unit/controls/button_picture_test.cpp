#include <gtest/gtest.h>

#include "controls/button/button_picture.h"
#include "controls/button/pell_xp_button.h"
#include "test_host.h"

namespace {

using controls::ImageFlags;
using controls::PaintImage;
using controls::PellXPButton;
using controls::ShiftColor;
using paint::MakeRgb;
using paint::Picture;
using paint::PixelBuffer;
using paint::Rgb;
using testing_support::TestHost;

constexpr Rgb kMask = MakeRgb(192, 192, 192);
constexpr Rgb kPaperWhite = 0xFFFFFF;  // what the pictures are drawn on

Picture Solid(int w, int h, Rgb c) {
    Picture p;
    p.pixels = PixelBuffer(w, h, c);
    return p;
}

TEST(PaintImage, MaskColourIsSkippedOnlyWithUseMaskColor) {
    Picture p = Solid(2, 1, MakeRgb(10, 20, 30));
    p.pixels.SetPixel(1, 0, kMask);
    PixelBuffer target(4, 4, kPaperWhite);
    paint::Surface s = target.View();
    ImageFlags flags;
    flags.mask = kMask;
    PaintImage(s, 1, 1, 2, 1, p, flags);
    EXPECT_EQ(s.Pixel(1, 1), MakeRgb(10, 20, 30));
    EXPECT_EQ(s.Pixel(2, 1), kPaperWhite);
    flags.useMaskColor = false;
    PaintImage(s, 1, 1, 2, 1, p, flags);
    EXPECT_EQ(s.Pixel(2, 1), kMask);
}

TEST(PaintImage, TintWithLightSkip) {
    Picture p = Solid(3, 1, 0);
    p.pixels.SetPixel(0, 0, MakeRgb(128, 128, 128));  // sum 384: drawn
    p.pixels.SetPixel(1, 0, MakeRgb(129, 128, 128));  // sum 385: skipped
    p.pixels.SetPixel(2, 0, kPaperWhite);
    PixelBuffer target(3, 1, MakeRgb(1, 1, 1));
    paint::Surface s = target.View();
    ImageFlags flags;
    flags.mask = kMask;
    flags.tint = MakeRgb(50, 60, 70);
    flags.lightSkip = true;
    PaintImage(s, 0, 0, 3, 1, p, flags);
    EXPECT_EQ(s.Pixel(0, 0), MakeRgb(50, 60, 70));
    EXPECT_EQ(s.Pixel(1, 0), MakeRgb(1, 1, 1));
    EXPECT_EQ(s.Pixel(2, 0), MakeRgb(1, 1, 1));
    flags.lightSkip = false;
    PaintImage(s, 0, 0, 3, 1, p, flags);
    EXPECT_EQ(s.Pixel(2, 0), MakeRgb(50, 60, 70));
}

TEST(PaintImage, GreyscaleRoundsHalvesToEven) {
    Picture p = Solid(3, 1, 0);
    p.pixels.SetPixel(0, 0, MakeRgb(255, 0, 0));    // round(76.5) = 76
    p.pixels.SetPixel(1, 0, MakeRgb(0, 255, 0));    // round(150.45) = 150
    p.pixels.SetPixel(2, 0, MakeRgb(5, 0, 50));     // round(round(1.5) + 5.5) = round(7.5) = 8
    PixelBuffer target(3, 1);
    paint::Surface s = target.View();
    ImageFlags flags;
    flags.mask = kMask;
    flags.grey = true;
    PaintImage(s, 0, 0, 3, 1, p, flags);
    EXPECT_EQ(s.Pixel(0, 0), MakeRgb(76, 76, 76));
    EXPECT_EQ(s.Pixel(1, 0), MakeRgb(150, 150, 150));
    EXPECT_EQ(s.Pixel(2, 0), MakeRgb(8, 8, 8));
}

TEST(PaintImage, BlendTakesTwoThirdsOfThePicture) {
    Picture black = Solid(1, 1, 0), white = Solid(1, 1, kPaperWhite);
    PixelBuffer onWhite(1, 1, kPaperWhite), onBlack(1, 1, 0);
    paint::Surface a = onWhite.View(), b = onBlack.View();
    ImageFlags flags;
    flags.mask = kMask;
    flags.blend = true;
    PaintImage(a, 0, 0, 1, 1, black, flags);
    PaintImage(b, 0, 0, 1, 1, white, flags);
    EXPECT_EQ(a.Pixel(0, 0), MakeRgb(85, 85, 85));
    EXPECT_EQ(b.Pixel(0, 0), MakeRgb(170, 170, 170));
}

TEST(PaintImage, AnyWidthWithPaddedRows) {
    for (int w : {1, 2, 3, 5, 7}) {
        Picture p;
        p.pixels = PixelBuffer(w, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < w; ++x) p.pixels.SetPixel(x, y, MakeRgb(x + 1, y + 1, 7));
        PixelBuffer target(w + 2, 5, kPaperWhite, true);
        paint::Surface s = target.View();
        ImageFlags flags;
        flags.mask = kMask;
        PaintImage(s, 1, 1, w, 3, p, flags);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < w + 2; ++x) {
                const bool in = x >= 1 && x <= w && y >= 1 && y <= 3;
                EXPECT_EQ(s.Pixel(x, y), in ? MakeRgb(x, y, 7) : kPaperWhite) << w << ":" << x << "," << y;
            }
    }
}

TEST(PaintImage, IconTransparencyTakesTheMaskColour) {
    Picture icon = Solid(2, 1, MakeRgb(9, 9, 9));
    icon.kind = paint::PictureKind::Icon;
    icon.opaque = {1, 0};
    PixelBuffer target(3, 1, kPaperWhite);
    paint::Surface s = target.View();
    ImageFlags flags;
    flags.mask = kMask;
    PaintImage(s, 0, 0, 3, 1, icon, flags);  // wider than the icon: mask beyond
    EXPECT_EQ(s.Pixel(0, 0), MakeRgb(9, 9, 9));
    EXPECT_EQ(s.Pixel(1, 0), kPaperWhite);
    EXPECT_EQ(s.Pixel(2, 0), kPaperWhite);
    flags.useMaskColor = false;
    PaintImage(s, 0, 0, 3, 1, icon, flags);
    EXPECT_EQ(s.Pixel(1, 0), kMask);
}

TEST(PaintImage, NothingForAnEmptySize) {
    Picture p = Solid(2, 2, 0);
    PixelBuffer target(2, 2, kPaperWhite);
    paint::Surface s = target.View();
    PaintImage(s, 0, 0, 0, 2, p, {});
    PaintImage(s, 0, 0, 2, 0, p, {});
    EXPECT_EQ(s.Pixel(0, 0), kPaperWhite);
}

// A 4 x 4 picture on a 60 x 40 button with a blank caption: centred at (28, 18).
struct PictureButton {
    TestHost host;
    PellXPButton b{1, "", "Verdana"};
    std::shared_ptr<Picture> normal = std::make_shared<Picture>(Solid(4, 4, MakeRgb(10, 10, 10)));
    PictureButton(int type, int scheme = 1) {
        b.SetHost(&host);
        b.InitProperties();
        b.SetCaption("");
        b.SetColorScheme(scheme);
        b.SetButtonType(type);
        b.Resize(60, 40);
        b.SetPictureNormal(normal);
        b.Show();
        host.text.draws.clear();
    }
    Rgb Px(int x, int y) const { return host.Px(x, y); }
    void Draw(int state) { b.DrawButton(state, true); }
};

TEST(DrawPicture, BlankCaptionCentresThePicture) {
    PictureButton p(7);
    EXPECT_EQ(p.b.PictureRect(), (controls::PictureBox{28, 18, 4, 4}));
    EXPECT_EQ(p.Px(28, 18), MakeRgb(10, 10, 10));
    EXPECT_EQ(p.Px(31, 21), MakeRgb(10, 10, 10));
    EXPECT_EQ(p.Px(32, 22), p.b.Colors().face);
}

TEST(DrawPicture, DisabledType7IsAnEngravedSilhouette) {
    PictureButton p(7);
    p.normal->pixels.SetPixel(3, 3, kPaperWhite);  // very light: leaves the face visible
    p.b.SetEnabled(false);
    const controls::Palette& c = p.b.Colors();
    EXPECT_EQ(p.Px(28, 18), c.shadow);
    EXPECT_EQ(p.Px(32, 19), c.highlight);  // only the copy one pixel right and down
    EXPECT_EQ(p.Px(29, 22), c.highlight);
    EXPECT_EQ(p.Px(31, 21), c.highlight);  // the shadow copy skips its light pixel
    EXPECT_EQ(p.Px(32, 22), c.face);       // and so does the highlight copy
}

TEST(DrawPicture, DisabledType3IsGreyOnePixelDown) {
    PictureButton p(3);
    p.normal->pixels.SetPixel(0, 0, MakeRgb(255, 0, 0));
    p.b.SetEnabled(false);
    EXPECT_EQ(p.Px(29, 19), MakeRgb(76, 76, 76));
    EXPECT_EQ(p.Px(30, 20), MakeRgb(10, 10, 10));
}

TEST(DrawPicture, DisabledTypes5And6AreOneFlatSilhouette) {
    for (int type : {5, 6, 9}) {
        PictureButton p(type);
        p.b.SetEnabled(false);
        const Rgb sh = p.b.Colors().shadow;
        const Rgb expect = type == 9 ? ShiftColor(sh, 13, false, false) : sh;
        EXPECT_EQ(p.Px(28, 18), expect) << type;
        EXPECT_EQ(p.Px(32, 22), p.b.Colors().face) << type;
    }
}

TEST(DrawPicture, DownMovesThePictureExceptForTypes5And9) {
    PictureButton p(7);
    p.Draw(2);
    EXPECT_EQ(p.Px(32, 22), MakeRgb(10, 10, 10));
    EXPECT_EQ(p.Px(28, 18), p.b.Colors().face);
    PictureButton q(5);
    q.Draw(2);
    EXPECT_EQ(q.Px(28, 18), MakeRgb(10, 10, 10));
    EXPECT_NE(q.Px(32, 22), MakeRgb(10, 10, 10));
}

TEST(DrawPicture, PictureOverWhileHoveredExceptType9) {
    const auto over = std::make_shared<Picture>(Solid(4, 4, MakeRgb(0, 200, 0)));
    PictureButton p(7);
    p.b.SetPictureOver(over);
    p.b.SetMouseIsOver(true);
    p.Draw(0);
    EXPECT_EQ(p.Px(28, 18), MakeRgb(0, 200, 0));
    p.Draw(2);  // pressed also shows PictureOver, moved
    EXPECT_EQ(p.Px(32, 22), MakeRgb(0, 200, 0));

    PictureButton n(9);
    n.b.SetPictureOver(over);
    n.b.SetMouseIsOver(true);
    n.Draw(0);
    // Lifted up and left over its shadow.
    EXPECT_EQ(n.Px(27, 17), MakeRgb(10, 10, 10));
    EXPECT_EQ(n.Px(31, 21), n.b.Colors().shadow);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) ASSERT_NE(n.Px(x, y), MakeRgb(0, 200, 0));
}

TEST(DrawPicture, PictureOverAloneIsNeverShown) {
    PictureButton p(7);
    p.b.SetPictureOver(std::make_shared<Picture>(Solid(4, 4, MakeRgb(0, 200, 0))));
    p.b.SetPictureNormal(nullptr);
    p.b.SetMouseIsOver(true);
    p.Draw(0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) ASSERT_NE(p.Px(x, y), MakeRgb(0, 200, 0));
}

TEST(DrawPicture, GreyscaleOnlyWhileNotHovered) {
    PictureButton p(7);
    p.normal->pixels.SetPixel(0, 0, MakeRgb(255, 0, 0));
    p.b.SetUseGreyscale(true);
    EXPECT_EQ(p.Px(28, 18), MakeRgb(76, 76, 76));
    p.b.SetMouseIsOver(true);
    p.Draw(0);
    EXPECT_EQ(p.Px(28, 18), MakeRgb(255, 0, 0));
}

TEST(DrawPicture, Type9BlendsWhileResting) {
    PictureButton p(9, 2);  // white face
    p.normal->pixels.SetPixel(0, 0, 0);
    p.Draw(0);
    EXPECT_EQ(p.Px(28, 18), MakeRgb(85, 85, 85));
}

TEST(DrawPicture, SpecialEffectCopiesAroundThePicture) {
    PictureButton p(7);
    const Rgb face = p.b.Colors().face;
    const Rgb darker = ShiftColor(face, -40, false, false), lighter = ShiftColor(face, 40, false, false);
    p.b.SetSpecialEffect(1);  // raised
    EXPECT_EQ(p.Px(32, 22), darker);
    EXPECT_EQ(p.Px(27, 17), lighter);
    EXPECT_EQ(p.Px(28, 18), MakeRgb(10, 10, 10));
    p.b.SetSpecialEffect(2);  // sunken
    EXPECT_EQ(p.Px(32, 22), lighter);
    EXPECT_EQ(p.Px(27, 17), darker);
    p.b.SetSpecialEffect(3);  // shadow only
    EXPECT_EQ(p.Px(32, 22), darker);
    EXPECT_EQ(p.Px(27, 17), face);
}

TEST(DrawPicture, BehindTheCaptionRedrawsTheCaption) {
    PictureButton p(7);
    p.b.SetCaption("Go");
    p.b.SetPicturePosition(4);
    p.host.text.draws.clear();
    p.Draw(0);
    ASSERT_EQ(p.host.text.draws.size(), 2u);
    EXPECT_EQ(p.host.text.draws[1].box, p.b.Layout().captionRect);
    p.b.SetPictureNormal(nullptr);
    p.host.text.draws.clear();
    p.Draw(0);
    EXPECT_EQ(p.host.text.draws.size(), 1u);
}

}  // namespace
