// Drawing at a screen scale: the 100% drawing enlarged by nearest neighbour, window shapes
// enlarged with it, captions measured and drawn at the real scale.
#include <gtest/gtest.h>

#include "controls/button/button_layout.h"
#include "controls/frame/skinned_frame.h"
#include "controls/paint/raster.h"
#include "controls/paint/scale.h"
#include "fixed_text.h"

namespace {

using paint::PixelBuffer;
using paint::Rect;

TEST(Scale, EdgesAndPixelsAgreeAtEveryScale) {
    for (int dpi : {96, 120, 144, 168, 192}) {
        const double s = paint::ScaleOfDpi(dpi);
        for (int x = 0; x < 400; ++x) {
            const int p = paint::UnscaledPixel(x, s);
            ASSERT_LE(paint::ScaledEdge(p, s), x) << dpi << " " << x;
            ASSERT_GT(paint::ScaledEdge(p + 1, s), x) << dpi << " " << x;
        }
    }
    EXPECT_EQ(paint::ScaledEdge(3, 1.5), 5);  // 4.5 goes up: pixel widths 2, 1, 2, 1 ...
    EXPECT_EQ(paint::ScaledEdge(2, 1.5), 3);
    EXPECT_EQ(paint::UnscaledLength(302, 1.5), 201);
    EXPECT_EQ(paint::ScaleOfDpi(0), 1.0);
}

TEST(Scale, WholeFactorMakesEveryPixelABlock) {
    PixelBuffer src(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) src.SetPixel(x, y, static_cast<paint::Rgb>(x * 16 + y));
    PixelBuffer dst(10, 6, 0xABCDEF);
    paint::Surface d = dst.View();
    paint::UpscalePixels(src.View(), d, 2.0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(dst.Pixel(x, y), src.Pixel(x / 2, y / 2)) << x << "," << y;
}

TEST(Scale, BetweenFactorsLinesStayLinesOfOneColour) {
    // A one-pixel frame at 150%: each edge one or two pixels wide, never a blend.
    PixelBuffer src(20, 10, 0xFFFFFF);
    paint::Surface s = src.View();
    paint::FrameRect(s, {0, 0, 20, 10}, 0x000000);
    PixelBuffer dst(30, 15, 0x123456);
    paint::Surface d = dst.View();
    paint::UpscalePixels(src.View(), d, 1.5);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 30; ++x) {
            const paint::Rgb c = dst.Pixel(x, y);
            ASSERT_TRUE(c == 0 || c == 0xFFFFFF) << x << "," << y;
        }
    EXPECT_EQ(dst.Pixel(1, 7), 0x000000u);   // pixel 0 covers 0..1
    EXPECT_EQ(dst.Pixel(2, 7), 0xFFFFFFu);
    EXPECT_EQ(dst.Pixel(29, 7), 0x000000u);  // pixel 19 covers 29
    EXPECT_EQ(dst.Pixel(28, 7), 0xFFFFFFu);
}

TEST(Scale, LargerTargetTakesTheLastColumnAndRowToItsEdge) {
    PixelBuffer src(3, 2, 0x111111);
    src.SetPixel(2, 1, 0x222222);
    PixelBuffer dst(7, 5, 0x999999);  // 3 x 2 at 2 is 6 x 4
    paint::Surface d = dst.View();
    paint::UpscalePixels(src.View(), d, 2.0);
    EXPECT_EQ(dst.Pixel(6, 4), 0x222222u);
    EXPECT_EQ(dst.Pixel(6, 0), 0x111111u);
}

TEST(Scale, WindowShapesGrowInBlocks) {
    // The frame's rounded top corners at 200%: rows 0 and 1 lose 10 pixels at each end.
    const auto shape = paint::ScaledRegion(controls::RoundedTopRegion(100, 50), 2.0);
    EXPECT_FALSE(shape.Contains(9, 1));
    EXPECT_TRUE(shape.Contains(10, 1));
    EXPECT_TRUE(shape.Contains(189, 0));
    EXPECT_FALSE(shape.Contains(190, 0));
    EXPECT_TRUE(shape.Contains(2, 9));  // row 4 loses 1 pixel: 2 here
    EXPECT_FALSE(shape.Contains(1, 9));
    EXPECT_TRUE(shape.Contains(0, 10));
    EXPECT_TRUE(shape.Contains(199, 99));
    EXPECT_FALSE(shape.Contains(200, 99));
    // The button's corners: the scaled shape is the 100% shape read pixel by pixel.
    const auto button = controls::BuildRegion(3, 30, 12);
    const auto scaled = paint::ScaledRegion(button, 1.5);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 45; ++x)
            ASSERT_EQ(scaled.Contains(x, y),
                      button.Contains(paint::UnscaledPixel(x, 1.5), paint::UnscaledPixel(y, 1.5)))
                << x << "," << y;
}

TEST(ScaledText, MeasuresAtTheScaleAndGivesBackRoomEnough) {
    testing_support::FixedText real;  // 6 x 10 cells
    paint::ScaledText text(real, 1.5);
    // "abc" is 18 x 10 at the scale; at 100% that is 12 x 7 (6.67 rounded up).
    const Rect m = text.Measure("abc", {}, {2, 3, 100, 50});
    EXPECT_EQ(m, (Rect{2, 3, 14, 10}));
    EXPECT_TRUE(real.draws.empty());
}

TEST(ScaledText, DrawsKeptAndReplayedInOrderInScaledBoxes) {
    testing_support::FixedText real;
    paint::ScaledText text(real, 2.0);
    PixelBuffer small(50, 20);
    paint::Surface s = small.View();
    text.Draw(s, "ab", {}, {1, 2, 7, 7}, 0x0000FF);
    text.Draw(s, "ab", {}, {0, 1, 6, 6}, 0x00FF00);
    EXPECT_TRUE(real.draws.empty());
    EXPECT_EQ(text.Kept(), 2u);
    PixelBuffer big(100, 40);
    paint::Surface b = big.View();
    text.Replay(b);
    ASSERT_EQ(real.draws.size(), 2u);
    EXPECT_EQ(real.draws[0].box, (Rect{2, 4, 14, 14}));
    EXPECT_EQ(real.draws[0].color, 0x0000FFu);
    EXPECT_EQ(real.draws[1].box, (Rect{0, 2, 12, 12}));
    EXPECT_EQ(text.Kept(), 0u);
}

TEST(ScaledText, ABoxTooSmallAtTheScaleGrowsToItsText) {
    testing_support::FixedText real;
    paint::ScaledText text(real, 1.25);
    PixelBuffer px(10, 10);
    paint::Surface s = px.View();
    // 4 characters: 24 x 10 at the scale; the box scales to 20 x 5.
    text.Draw(s, "abcd", {}, {8, 4, 24, 8}, 0);
    PixelBuffer big(60, 30);
    paint::Surface b = big.View();
    text.Replay(b);
    ASSERT_EQ(real.draws.size(), 1u);
    EXPECT_EQ(real.draws[0].box, (Rect{8, 5, 32, 15}));
}

}  // namespace
