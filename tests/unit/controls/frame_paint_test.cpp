// What the frame draws: its pictures where the layout puts them (stretched or as they are), the
// close button in the picture of its state, and the caption over its shadow, in both colour sets.
#include <gtest/gtest.h>

#include "controls/frame/xpf.h"
#include "controls/frame/xpf_about.h"
#include "controls/paint/bmp.h"
#include "frame_test_host.h"

namespace {

using controls::FramePiece;
using paint::Rgb;
using testing_support::FrameTestHost;

paint::PicturePtr Picture(const std::string& name) {
    auto p = paint::LoadBmpFile(std::string(DRAVIK_PICTURES_DIR) + "/" + name);
    EXPECT_TRUE(p) << name;
    return p;
}

template <typename Frame>
struct Drawn {
    explicit Drawn(float w = 400, float h = 300) {
        frame.SetHost(&host);
        frame.LoadPictures(testing_support::PictureFolder());
        frame.Resize(w * 15, h * 15);
    }
    Rgb Px(int x, int y) const { return host.Px(x, y); }
    // Whether the w x h block at (x, y) shows picture pic as it is.
    // Columns from .. to - 1 of the picture only, when others lie under another piece.
    ::testing::AssertionResult Shows(int x, int y, const paint::Picture& pic, int from = 0,
                                     int to = -1) const {
        if (to < 0) to = pic.Width();
        for (int py = 0; py < pic.Height(); ++py)
            for (int px = from; px < to; ++px)
                if (Px(x + px, y + py) != pic.pixels.Pixel(px, py))
                    return ::testing::AssertionFailure()
                           << "differs at " << x + px << "," << y + py;
        return ::testing::AssertionSuccess();
    }
    FrameTestHost host;
    Frame frame{1};
};

struct SetNames {
    const char* prefix;  // "frame" or "frame256"
    const char* close;   // "close" or "close256"
};

template <typename Frame>
void ExpectPiecesDrawn(const SetNames& names) {
    Drawn<Frame> d;
    const std::string p = names.prefix;
    const auto titleLeft = Picture(p + "_title_left.bmp");
    const auto title = Picture(p + "_title.bmp");
    const auto titleRight = Picture(p + "_title_right.bmp");
    const auto left = Picture(p + "_left.bmp");
    const auto right = Picture(p + "_right.bmp");
    const auto bottom = Picture(p + "_bottom.bmp");
    const auto bottomLeft = Picture(p + "_bottom_left.bmp");
    const auto bottomRight = Picture(p + "_bottom_right.bmp");
    ASSERT_EQ(d.host.SurfacePixels().Width(), 400);
    ASSERT_EQ(d.host.SurfacePixels().Height(), 300);

    // The caption's shadow starts at x 5, the close button (main frames) covers x 373 to 393.
    EXPECT_TRUE(d.Shows(0, 0, *titleLeft, 0, 5));
    EXPECT_TRUE(d.Shows(390, 0, *titleRight, d.frame.HasCaptionButtons() ? 4 : 0));
    // The 1-pixel title strip stretched over x 10 to 389 (the caption aside).
    for (int y = 0; y < 30; ++y)
        for (int x : {10, 200, 300, 372, 389}) {
            if (y >= 7 && y < 23 && x < 370) continue;  // caption text lies there
            if (d.frame.HasCaptionButtons() && x > 372 && y >= 4 && y < 25) continue;
            EXPECT_EQ(d.Px(x, y), title->pixels.Pixel(0, y)) << x << "," << y;
        }
    // Borders stretched down from y 30 to 295, the bottom from x 4 to 395.
    for (int y : {30, 150, 295})
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(d.Px(x, y), left->pixels.Pixel(x, 0)) << x << "," << y;
            EXPECT_EQ(d.Px(396 + x, y), right->pixels.Pixel(x, 0)) << x << "," << y;
        }
    for (int x : {4, 200, 395})
        for (int y = 0; y < 4; ++y)
            EXPECT_EQ(d.Px(x, 296 + y), bottom->pixels.Pixel(0, y)) << x << "," << y;
    EXPECT_TRUE(d.Shows(0, 296, *bottomLeft));
    EXPECT_TRUE(d.Shows(396, 296, *bottomRight));
    // Between the borders, with no container beneath, the frame's default background.
    EXPECT_EQ(d.Px(200, 150), paint::MakeRgb(0xF1, 0xF1, 0xEA));
    EXPECT_EQ(d.Px(4, 30), paint::MakeRgb(0xF1, 0xF1, 0xEA));
    EXPECT_EQ(d.Px(395, 295), paint::MakeRgb(0xF1, 0xF1, 0xEA));
}

TEST(FramePaint, FullColourPiecesWhereTheLayoutPutsThem) {
    ExpectPiecesDrawn<controls::XPF>({"frame", "close"});
    ExpectPiecesDrawn<controls::XPFAbout>({"frame", "close"});
}

TEST(FramePaint, Colour256PiecesWhereTheLayoutPutsThem) {
    ExpectPiecesDrawn<controls::MorvXPF>({"frame256", "close256"});
    ExpectPiecesDrawn<controls::XPFAbout256>({"frame256", "close256"});
}

// The close button at 373, 4.5 is drawn from pixel (373, 4).
template <typename Frame>
void ExpectCloseStates(const std::string& close) {
    Drawn<Frame> d;
    const auto normal = Picture(close + "_normal.bmp");
    const auto hot = Picture(close + "_hot.bmp");
    const auto pressed = Picture(close + "_pressed.bmp");
    EXPECT_TRUE(d.Shows(373, 4, *normal));
    d.frame.MouseMove(0, 380, 10);
    EXPECT_TRUE(d.Shows(373, 4, *hot));
    d.frame.MouseMove(1, 380, 10);
    EXPECT_TRUE(d.Shows(373, 4, *pressed));
    d.frame.MouseMove(0, 200, 2);
    EXPECT_TRUE(d.Shows(373, 4, *normal));
}

TEST(FramePaint, CloseButtonShowsThePictureOfItsState) {
    ExpectCloseStates<controls::XPF>("close");
    ExpectCloseStates<controls::MorvXPF>("close256");  // the pressed one is 22 wide
}

TEST(FramePaint, HiddenCaptionButtonsAreNotDrawnAndShownOnesAre) {
    Drawn<controls::XPF> d;
    const auto title = Picture("frame_title.bmp");
    EXPECT_EQ(d.Px(355, 10), title->pixels.Pixel(0, 10));
    d.frame.SetPieceVisible(FramePiece::MaximizeButton, true);
    d.frame.SetPieceVisible(FramePiece::MinimizeButton, true);
    d.frame.RePos();
    EXPECT_TRUE(d.Shows(350, 4, *Picture("maximize.bmp")));
    EXPECT_TRUE(d.Shows(327, 4, *Picture("minimize.bmp")));
}

TEST(FramePaint, AboutFrameDrawsNoCloseButton) {
    Drawn<controls::XPFAbout> d;
    const auto title = Picture("frame_title.bmp");
    for (int y = 4; y < 25; ++y) EXPECT_EQ(d.Px(380, y), title->pixels.Pixel(0, y)) << y;
}

TEST(FramePaint, CaptionInWhiteOverItsBlackShadow) {
    Drawn<controls::XPF> d;
    const auto& draws = d.host.text.draws;
    ASSERT_GE(draws.size(), 2u);
    // The last drawing: shadow first, then the caption on top.
    const auto& shadow = draws[draws.size() - 2];
    const auto& caption = draws[draws.size() - 1];
    EXPECT_EQ(shadow.text, "Morv Dravik");
    EXPECT_EQ(shadow.color, 0x000000u);
    EXPECT_EQ(caption.text, "Morv Dravik");
    EXPECT_EQ(caption.color, 0xFFFFFFu);
    EXPECT_EQ(caption.font, (paint::FontInfo{"MS Sans Serif", 8.25, true}));
    // Left-aligned at the label's whole-pixel place: Caption1 at 6.5, 7.5; Caption2 at 5.5, 9.5.
    // Fixed metrics: 11 characters of 6 pixels.
    EXPECT_EQ(caption.box, (paint::Rect{6, 7, 6 + 66, 20}));
    EXPECT_EQ(shadow.box, (paint::Rect{5, 9, 5 + 66, 22}));
    EXPECT_EQ(d.Px(6, 7), 0xFFFFFFu);
    EXPECT_EQ(d.Px(71, 16), 0xFFFFFFu);
    EXPECT_EQ(d.Px(5, 17), 0x000000u);   // the shadow shows left of the caption
    EXPECT_EQ(d.Px(20, 18), 0x000000u);  // and below it
}

TEST(FramePaint, NewCaptionIsDrawn) {
    Drawn<controls::MorvXPF> d;
    d.frame.SetCaption1Text("Dravik");
    const auto& draws = d.host.text.draws;
    ASSERT_GE(draws.size(), 2u);
    EXPECT_EQ(draws[draws.size() - 2].text, "Dravik");
    EXPECT_EQ(draws.back().text, "Dravik");
    EXPECT_EQ(draws.back().box.Width(), 36);
}

// The frame is transparent between its pieces: its one drawing holds what its container shows
// beneath it, with the pieces over it, so the surface is what the screen shows.
TEST(FramePaint, WhatLiesBeneathShowsBetweenThePiecesAndUnderNone) {
    Drawn<controls::XPF> d;
    int beneathCalls = 0;
    d.host.beneath = [&](paint::Surface& s) {
        ++beneathCalls;
        s.Clear(paint::MakeRgb(224, 224, 224));
        for (int x = 300; x < 400; ++x)
            for (int y = 280; y < 300; ++y) s.SetPixel(x, y, paint::MakeRgb(255, 128, 128));
    };
    d.frame.Redraw();
    EXPECT_EQ(beneathCalls, 1);
    EXPECT_EQ(d.Px(200, 150), paint::MakeRgb(224, 224, 224));
    EXPECT_EQ(d.Px(350, 290), paint::MakeRgb(255, 128, 128));  // drawn on the container
    // The bottom border and its corner lie over it, whole.
    const auto bottom = Picture("frame_bottom.bmp");
    for (int x : {300, 350, 395})
        for (int y = 0; y < 4; ++y)
            EXPECT_EQ(d.Px(x, 296 + y), bottom->pixels.Pixel(0, y)) << x << "," << y;
    EXPECT_TRUE(d.Shows(396, 296, *Picture("frame_bottom_right.bmp")));
    for (int y : {285, 295})
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(d.Px(396 + x, y), Picture("frame_right.bmp")->pixels.Pixel(x, 0)) << x << "," << y;
}

TEST(FramePaint, SurfaceFollowsTheTwipsPerPixel) {
    FrameTestHost host;
    host.tppX = host.tppY = 12;
    controls::XPF frame(1);
    frame.SetHost(&host);
    frame.LoadPictures(testing_support::PictureFolder());
    frame.Resize(6000, 4500);
    EXPECT_EQ(host.SurfacePixels().Width(), 500);
    EXPECT_EQ(host.SurfacePixels().Height(), 375);
    EXPECT_EQ(host.Px(490, 0), Picture("frame_title_right.bmp")->pixels.Pixel(0, 0));
}

}  // namespace
