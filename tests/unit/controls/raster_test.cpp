#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "controls/paint/raster.h"

namespace {

using paint::MakeRgb;
using paint::PixelBuffer;
using paint::Rgb;
using paint::Surface;

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kRed = MakeRgb(255, 0, 0);

TEST(Surface, RowsArePaddedToFourBytes) {
    EXPECT_EQ(Surface::StrideFor(1), 4);
    EXPECT_EQ(Surface::StrideFor(4), 12);
    EXPECT_EQ(Surface::StrideFor(5), 16);
    EXPECT_EQ(Surface::StrideFor(33), 100);
}

TEST(Surface, WrapsBottomUpMemoryWithItsStride) {
    // A 3 x 2 DIB stored bottom-up: the top row is the second one in memory.
    std::vector<std::uint8_t> bits(2 * Surface::StrideFor(3), 0);
    Surface s(bits.data(), 3, 2, Surface::StrideFor(3), true);
    s.SetPixel(1, 0, MakeRgb(1, 2, 3));
    const int stride = Surface::StrideFor(3);
    EXPECT_EQ(bits[stride + 3], 3);  // blue first
    EXPECT_EQ(bits[stride + 4], 2);
    EXPECT_EQ(bits[stride + 5], 1);
    EXPECT_EQ(bits[3], 0);
    EXPECT_EQ(s.Pixel(1, 0), MakeRgb(1, 2, 3));
}

TEST(Surface, WritesOutsideAreClipped) {
    PixelBuffer b(4, 4);
    Surface s = b.View();
    s.SetPixel(-1, 0, kRed);
    s.SetPixel(4, 0, kRed);
    s.FillSpan(-5, 2, 1, kRed);
    EXPECT_EQ(s.Pixel(0, 1), kRed);
    EXPECT_EQ(s.Pixel(1, 1), kRed);
    EXPECT_EQ(s.Pixel(2, 1), 0u);
    EXPECT_EQ(s.Pixel(3, 0), 0u);
}

TEST(Raster, FrameRectOutlinesInsideTheRectangle) {
    PixelBuffer b(10, 10);
    Surface s = b.View();
    paint::FrameRect(s, {2, 3, 7, 8}, kRed);
    EXPECT_EQ(s.Pixel(2, 3), kRed);
    EXPECT_EQ(s.Pixel(6, 3), kRed);
    EXPECT_EQ(s.Pixel(6, 7), kRed);
    EXPECT_EQ(s.Pixel(2, 7), kRed);
    EXPECT_EQ(s.Pixel(7, 3), 0u);  // right is exclusive
    EXPECT_EQ(s.Pixel(2, 8), 0u);  // bottom is exclusive
    EXPECT_EQ(s.Pixel(4, 5), 0u);  // inside untouched
}

TEST(Raster, FillRectExcludesRightAndBottom) {
    PixelBuffer b(10, 10);
    Surface s = b.View();
    paint::FillRect(s, {1, 1, 4, 3}, kRed);
    int count = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) count += s.Pixel(x, y) == kRed;
    EXPECT_EQ(count, 6);
    EXPECT_EQ(s.Pixel(3, 2), kRed);
}

int CountColour(const Surface& s, Rgb c) {
    int n = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) n += s.Pixel(x, y) == c;
    return n;
}

TEST(Raster, LineLeavesItsEndPointUnpainted) {
    PixelBuffer b(12, 12);
    Surface s = b.View();
    paint::DrawLine(s, 2, 5, 7, 5, kRed);
    EXPECT_EQ(s.Pixel(2, 5), kRed);
    EXPECT_EQ(s.Pixel(6, 5), kRed);
    EXPECT_EQ(s.Pixel(7, 5), 0u);
    EXPECT_EQ(CountColour(s, kRed), 5);
}

TEST(Raster, LineDrawnBackwardsStartsAtItsStart) {
    PixelBuffer b(12, 12);
    Surface s = b.View();
    paint::DrawLine(s, 7, 5, 2, 5, kRed);
    EXPECT_EQ(s.Pixel(7, 5), kRed);
    EXPECT_EQ(s.Pixel(3, 5), kRed);
    EXPECT_EQ(s.Pixel(2, 5), 0u);
    paint::DrawLine(s, 9, 8, 9, 2, kWhite);
    EXPECT_EQ(s.Pixel(9, 8), kWhite);
    EXPECT_EQ(s.Pixel(9, 3), kWhite);
    EXPECT_EQ(s.Pixel(9, 2), 0u);
}

TEST(Raster, DiagonalLineSteps45Degrees) {
    PixelBuffer b(12, 12);
    Surface s = b.View();
    paint::DrawLine(s, 8, 2, 4, 6, kRed);  // ButtonType 4's bottom-right corner stroke
    for (int i = 0; i < 4; ++i) EXPECT_EQ(s.Pixel(8 - i, 2 + i), kRed) << i;
    EXPECT_EQ(s.Pixel(4, 6), 0u);
    EXPECT_EQ(CountColour(s, kRed), 4);
}

TEST(Raster, SteepLinePaintsOnePixelPerRow) {
    PixelBuffer b(6, 6);
    Surface s = b.View();
    paint::DrawLine(s, 1, 2, 2, 0, kRed);  // ButtonType 4's top-left corner stroke
    EXPECT_EQ(s.Pixel(1, 2), kRed);
    EXPECT_EQ(s.Pixel(2, 1), kRed);  // midway between (1, 1) and (2, 1): toward the end
    EXPECT_EQ(s.Pixel(2, 0), 0u);
    EXPECT_EQ(CountColour(s, kRed), 2);
}

TEST(Raster, ShallowLineRoundsToTheNearestRow) {
    PixelBuffer b(12, 6);
    Surface s = b.View();
    paint::DrawLine(s, 0, 0, 9, 3, kRed);  // y = x / 3
    for (int x = 0; x < 9; ++x) {
        const int y = (x + 1) / 3;  // 0.33 rounds down, 0.67 up
        EXPECT_EQ(s.Pixel(x, y), kRed) << x;
    }
    EXPECT_EQ(CountColour(s, kRed), 9);
}

TEST(Raster, BevelRingsFollowTheLineToChains) {
    PixelBuffer b(6, 5);
    Surface s = b.View();
    const Rgb c1 = MakeRgb(1, 0, 0), c2 = MakeRgb(2, 0, 0), c3 = MakeRgb(3, 0, 0),
              c4 = MakeRgb(4, 0, 0);
    paint::DrawBevel(s, 6, 5, c1, c2, c3, c4, 0, false);
    EXPECT_EQ(s.Pixel(0, 0), c1);
    EXPECT_EQ(s.Pixel(0, 3), c1);
    EXPECT_EQ(s.Pixel(4, 0), c1);
    EXPECT_EQ(s.Pixel(5, 0), c2);  // the top-right corner starts the right edge
    EXPECT_EQ(s.Pixel(5, 4), c2);
    EXPECT_EQ(s.Pixel(0, 4), c2);  // the bottom edge runs over the left edge's start
    EXPECT_EQ(s.Pixel(1, 1), c3);
    EXPECT_EQ(s.Pixel(1, 2), c3);
    EXPECT_EQ(s.Pixel(4, 1), c4);
    EXPECT_EQ(s.Pixel(1, 3), c4);
    EXPECT_EQ(s.Pixel(2, 2), 0u);
}

TEST(Raster, BevelOneInsideLeavesTheBorderAndCanSkipTheInnerRing) {
    PixelBuffer b(8, 8);
    Surface s = b.View();
    paint::DrawBevel(s, 8, 8, kRed, kRed, kWhite, kWhite, -1, true);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(s.Pixel(i, 0), 0u);
        EXPECT_EQ(s.Pixel(0, i), 0u);
        EXPECT_EQ(s.Pixel(7, i), 0u);
        EXPECT_EQ(s.Pixel(i, 7), 0u);
    }
    EXPECT_EQ(s.Pixel(1, 1), kRed);
    EXPECT_EQ(s.Pixel(6, 6), kRed);
    EXPECT_EQ(CountColour(s, kWhite), 0);
}

TEST(Raster, FocusFrameInvertsEveryOtherPixelAndUndoesItself) {
    PixelBuffer b(16, 14, kWhite);
    Surface s = b.View();
    const paint::Rect r{4, 4, 12, 10};
    paint::DrawFocusFrame(s, r);
    EXPECT_EQ(s.Pixel(4, 4), 0u);
    EXPECT_EQ(s.Pixel(5, 4), kWhite);
    EXPECT_EQ(s.Pixel(6, 4), 0u);
    EXPECT_EQ(s.Pixel(4, 5), kWhite);
    EXPECT_EQ(s.Pixel(4, 6), 0u);
    EXPECT_EQ(s.Pixel(11, 5), 0u);
    EXPECT_EQ(s.Pixel(11, 9), 0u);
    EXPECT_EQ(s.Pixel(10, 9), kWhite);
    EXPECT_EQ(s.Pixel(6, 6), kWhite);  // inside untouched
    // Eight pixels per 1-pixel outline of 8 x 6 = 24 pixels, half of them.
    EXPECT_EQ(CountColour(s, 0), 12);
    paint::DrawFocusFrame(s, r);
    EXPECT_EQ(CountColour(s, kWhite), 16 * 14);
}

TEST(Raster, EllipseOutlineIsTwoPixelsThick) {
    PixelBuffer b(40, 20);
    Surface s = b.View();
    const Rgb pen = kRed, fill = MakeRgb(0, 0, 255);
    paint::DrawEllipse(s, {0, 0, 40, 20}, pen, fill, 2);
    // Across the middle row and down the middle column: two pen pixels, then fill.
    EXPECT_EQ(s.Pixel(0, 10), pen);
    EXPECT_EQ(s.Pixel(1, 10), pen);
    EXPECT_EQ(s.Pixel(2, 10), fill);
    EXPECT_EQ(s.Pixel(39, 10), pen);
    EXPECT_EQ(s.Pixel(38, 10), pen);
    EXPECT_EQ(s.Pixel(37, 10), fill);
    EXPECT_EQ(s.Pixel(20, 0), pen);
    EXPECT_EQ(s.Pixel(20, 1), pen);
    EXPECT_EQ(s.Pixel(20, 2), fill);
    EXPECT_EQ(s.Pixel(20, 19), pen);
    EXPECT_EQ(s.Pixel(20, 18), pen);
    EXPECT_EQ(s.Pixel(20, 17), fill);
    EXPECT_EQ(s.Pixel(0, 0), 0u);  // outside the ellipse
    EXPECT_EQ(s.Pixel(39, 19), 0u);
    EXPECT_EQ(s.Pixel(20, 10), fill);
}

TEST(Raster, EllipseIsSymmetricAndInsideItsBox) {
    PixelBuffer b(31, 17);
    Surface s = b.View();
    paint::DrawEllipse(s, {3, 2, 28, 15}, kRed, kWhite, 2);
    int drawn = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 31; ++x) {
            const Rgb c = s.Pixel(x, y);
            if (c != 0) {
                ++drawn;
                EXPECT_TRUE(x >= 3 && x < 28 && y >= 2 && y < 15) << x << "," << y;
            }
            EXPECT_EQ(c, s.Pixel(3 + 28 - 1 - x, y)) << x << "," << y;  // left-right
            EXPECT_EQ(c, s.Pixel(x, 2 + 15 - 1 - y)) << x << "," << y;     // top-bottom
        }
    EXPECT_GT(drawn, 0) << "the ellipse drew nothing";
}

TEST(Raster, CopyPixelsClipsAtBothSurfaces) {
    PixelBuffer src(4, 4), dst(5, 5);
    Surface ss = src.View(), ds = dst.View();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) ss.SetPixel(x, y, MakeRgb(x + 1, y + 1, 9));
    paint::CopyPixels(ds, -1, 2, ss, 0, 0, 4, 4);
    EXPECT_EQ(ds.Pixel(0, 2), MakeRgb(2, 1, 9));
    EXPECT_EQ(ds.Pixel(2, 4), MakeRgb(4, 3, 9));
    EXPECT_EQ(ds.Pixel(3, 2), 0u);
    EXPECT_EQ(ds.Pixel(0, 1), 0u);
}

}  // namespace
