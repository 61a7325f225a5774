// The frame's layout arithmetic, the minimum size, the caption-width cascade, the about variants
// and the rounded window shape, on the shipped frame classes.
#include <gtest/gtest.h>

#include "controls/frame/xpf.h"
#include "controls/frame/xpf_about.h"
#include "frame_test_host.h"

namespace {

using controls::FramePiece;
using testing_support::FrameTestHost;

// A main-window frame of w x h pixels at 15 twips per pixel.
template <typename Frame>
struct Sized {
    explicit Sized(float w, float h, float tpp = 15) {
        host.tppX = host.tppY = tpp;
        frame.SetHost(&host);
        frame.Resize(w * tpp, h * tpp);
    }
    const controls::PieceBox& operator[](FramePiece p) const { return frame.Box(p); }
    FrameTestHost host;
    Frame frame{1};
};

TEST(XPFLayout, MainWindowDesignAt400By300) {
    Sized<controls::XPF> f(400, 300);
    EXPECT_FLOAT_EQ(f[FramePiece::TitleLeft].left, 0);
    EXPECT_FLOAT_EQ(f[FramePiece::Title].left, 10);
    EXPECT_FLOAT_EQ(f[FramePiece::Title].width, 380);
    EXPECT_FLOAT_EQ(f[FramePiece::TitleRight].left, 390);
    for (FramePiece side : {FramePiece::Left, FramePiece::Right}) {
        EXPECT_FLOAT_EQ(f[side].top, 30);
        EXPECT_FLOAT_EQ(f[side].height, 266);
    }
    EXPECT_FLOAT_EQ(f[FramePiece::Left].left, 0);
    EXPECT_FLOAT_EQ(f[FramePiece::Right].left, 396);
    EXPECT_FLOAT_EQ(f[FramePiece::Bottom].left, 4);
    EXPECT_FLOAT_EQ(f[FramePiece::Bottom].top, 296);
    EXPECT_FLOAT_EQ(f[FramePiece::Bottom].width, 392);
    EXPECT_FLOAT_EQ(f[FramePiece::BottomLeft].top, 296);
    EXPECT_FLOAT_EQ(f[FramePiece::BottomRight].left, 396);
    EXPECT_FLOAT_EQ(f[FramePiece::CloseButton].left, 373);
    EXPECT_FLOAT_EQ(f[FramePiece::CloseButton].top, 4.5f);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption1].left, 6.5f);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption1].top, 7.5f);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption1].width, 359);  // rule e
    EXPECT_FLOAT_EQ(f[FramePiece::Caption1].height, 13);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption2].left, 5.5f);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption2].top, 9.5f);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption2].width, 359);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption2].height, 13);
    // The icon place, though hidden, is laid out: divided by 2.5, not 2.
    EXPECT_FLOAT_EQ(f[FramePiece::TitleIcon].left, 6);
    EXPECT_FLOAT_EQ(f[FramePiece::TitleIcon].top, 5.2f);
    EXPECT_FALSE(f[FramePiece::TitleIcon].visible);
    EXPECT_FALSE(f[FramePiece::MaximizeButton].visible);
    EXPECT_FALSE(f[FramePiece::MinimizeButton].visible);
}

TEST(XPFLayout, PicturesGiveTheSameLayoutAsTheDesignSizes) {
    for (auto skin : {controls::FrameSkin::FullColour, controls::FrameSkin::Colour256}) {
        FrameTestHost host;
        controls::SkinnedFrame frame(1, skin, true);
        frame.SetHost(&host);
        frame.LoadPictures(testing_support::PictureFolder());
        frame.Resize(6000, 4500);
        EXPECT_FLOAT_EQ(frame.Box(FramePiece::TitleRight).left, 390);
        EXPECT_FLOAT_EQ(frame.Box(FramePiece::CloseButton).left, 373);
        EXPECT_FLOAT_EQ(frame.Box(FramePiece::Caption1).width, 359);
    }
}

TEST(XPFLayout, CaptionButtonsShown) {
    Sized<controls::XPF> f(400, 300);
    f.frame.SetPieceVisible(FramePiece::MaximizeButton, true);
    f.frame.SetPieceVisible(FramePiece::MinimizeButton, true);
    f.frame.RePos();
    EXPECT_FLOAT_EQ(f[FramePiece::MaximizeButton].left, 350);
    EXPECT_FLOAT_EQ(f[FramePiece::MaximizeButton].top, 4.5f);
    EXPECT_FLOAT_EQ(f[FramePiece::MinimizeButton].left, 327);
    EXPECT_FLOAT_EQ(f[FramePiece::MinimizeButton].top, 4.5f);
    // Rule a: minimise's left less the icon place's right edge (6 + 19) less 10.
    EXPECT_FLOAT_EQ(f[FramePiece::Caption1].width, 292);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption2].width, 292);
}

struct CascadeCase {
    bool icon, maximize, minimize;
    float width;
    float captionLeft, shadowLeft;
};

class XPFCaptionCascade : public ::testing::TestWithParam<CascadeCase> {};

TEST_P(XPFCaptionCascade, WidthByTheLastRuleThatHolds) {
    const CascadeCase c = GetParam();
    Sized<controls::MorvXPF> f(400, 300);
    f.frame.SetPieceVisible(FramePiece::TitleIcon, c.icon);
    f.frame.SetPieceVisible(FramePiece::MaximizeButton, c.maximize);
    f.frame.SetPieceVisible(FramePiece::MinimizeButton, c.minimize);
    f.frame.RePos();
    EXPECT_FLOAT_EQ(f[FramePiece::Caption1].width, c.width);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption2].width, c.width);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption1].left, c.captionLeft);
    EXPECT_FLOAT_EQ(f[FramePiece::Caption2].left, c.shadowLeft);
}

// Close at 373, maximise at 350, minimise at 327; the icon place ends at 25, the left border at 4.
INSTANTIATE_TEST_SUITE_P(
    Rules, XPFCaptionCascade,
    ::testing::Values(CascadeCase{true, true, true, 292, 28, 27},      // a
                      CascadeCase{false, true, true, 292, 6.5f, 5.5f},  // a
                      CascadeCase{false, false, true, 292, 6.5f, 5.5f}, // a: maximise alone hidden
                      CascadeCase{true, true, false, 315, 28, 27},      // b
                      CascadeCase{false, true, false, 336, 6.5f, 5.5f}, // c
                      CascadeCase{true, false, false, 338, 28, 27},     // d
                      CascadeCase{false, false, false, 359, 6.5f, 5.5f} // e
                      ));

TEST(XPFLayout, SmallControlGrowsToTheMinimumAndLaysOutForIt) {
    FrameTestHost host;
    controls::XPF frame(1);
    frame.SetHost(&host);
    frame.Resize(1000, 300);
    EXPECT_FLOAT_EQ(frame.WidthTwips(), 1695);
    EXPECT_FLOAT_EQ(frame.HeightTwips(), 615);
    // Height first, then width; each a resize of the control's window.
    ASSERT_EQ(host.resized.size(), 2u);
    EXPECT_EQ(host.resized[0], (testing_support::Resized{1000, 615}));
    EXPECT_EQ(host.resized[1], (testing_support::Resized{1695, 615}));
    // 113 x 41 pixels.
    EXPECT_FLOAT_EQ(frame.Box(FramePiece::Title).width, 93);
    EXPECT_FLOAT_EQ(frame.Box(FramePiece::Bottom).top, 37);
    EXPECT_FLOAT_EQ(frame.Box(FramePiece::Left).height, 7);
    EXPECT_FLOAT_EQ(frame.Box(FramePiece::CloseButton).left, 86);
    EXPECT_FLOAT_EQ(frame.Box(FramePiece::Caption1).width, 72);
}

TEST(XPFLayout, AtTheMinimumNothingIsResized) {
    FrameTestHost host;
    controls::XPF frame(1);
    frame.SetHost(&host);
    frame.Resize(1695, 615);
    EXPECT_TRUE(host.resized.empty());
}

TEST(XPFLayout, PixelsFollowTheScreensTwipsPerPixel) {
    Sized<controls::XPF> f(500, 375, 12);  // 120 dots per inch
    EXPECT_FLOAT_EQ(f.frame.WidthTwips(), 6000);
    EXPECT_FLOAT_EQ(f[FramePiece::Title].width, 480);
    EXPECT_FLOAT_EQ(f[FramePiece::Bottom].top, 371);
    EXPECT_FLOAT_EQ(f[FramePiece::CloseButton].left, 473);
}

TEST(XPFLayout, AboutFramesPlaceNoButtonsAndKeepTheCaptionWidth) {
    Sized<controls::XPFAbout> f(400, 300);
    Sized<controls::XPFAbout256> g(400, 300);
    const controls::SkinnedFrame* frames[] = {&f.frame, &g.frame};
    for (const controls::SkinnedFrame* frame : frames) {
        EXPECT_FALSE(frame->HasCaptionButtons());
        EXPECT_FLOAT_EQ(frame->Box(FramePiece::TitleRight).left, 390);
        EXPECT_FLOAT_EQ(frame->Box(FramePiece::Caption1).left, 6.5f);
        EXPECT_FLOAT_EQ(frame->Box(FramePiece::Caption1).width, 80);
        EXPECT_FLOAT_EQ(frame->Box(FramePiece::Caption2).left, 5.5f);
        EXPECT_FLOAT_EQ(frame->Box(FramePiece::Caption2).top, 9.5f);
        EXPECT_FLOAT_EQ(frame->Box(FramePiece::Caption2).width, 80);  // 89 in the design
        EXPECT_FALSE(frame->Box(FramePiece::CloseButton).visible);
    }
    // The about frames' caption buttons cannot be shown.
    f.frame.SetPieceVisible(FramePiece::CloseButton, true);
    EXPECT_FALSE(f[FramePiece::CloseButton].visible);
}

TEST(XPFLayout, DefaultBackgroundColorIsTheDecimalText) {
    controls::XPF frame(1);
    EXPECT_EQ(frame.DefaultBackgroundColor(), std::to_string(0xEAF1F1));
    controls::XPFAbout256 about(2);
    EXPECT_EQ(about.DefaultBackgroundColor(), "15397361");
}

// --- the rounded shape ---

TEST(FrameRegion, TransparentEdgesCutsTheTopCornersOfTheContainer) {
    Sized<controls::XPF> f(400, 300);
    EXPECT_FALSE(f.frame.EdgesTransparent());
    EXPECT_EQ(f.host.shapes, 0);  // no shape until asked
    f.frame.TransparentEdges();
    EXPECT_TRUE(f.frame.EdgesTransparent());
    const paint::RegionData& shape = f.host.Shape();

    auto row = [&](int y, int from, int to) {
        EXPECT_FALSE(shape.Contains(from - 1, y)) << "row " << y;
        EXPECT_TRUE(shape.Contains(from, y)) << "row " << y;
        EXPECT_TRUE(shape.Contains(to, y)) << "row " << y;
        EXPECT_FALSE(shape.Contains(to + 1, y)) << "row " << y;
    };
    row(0, 5, 394);
    row(1, 3, 396);
    row(2, 2, 397);
    row(3, 1, 398);
    row(4, 1, 398);
    EXPECT_TRUE(shape.Contains(0, 5));
    EXPECT_TRUE(shape.Contains(399, 5));
    EXPECT_TRUE(shape.Contains(0, 299));  // bottom corners stay square
    EXPECT_TRUE(shape.Contains(399, 299));
    EXPECT_FALSE(shape.Contains(0, 300));
    EXPECT_FALSE(shape.Contains(400, 299));

    // As a region's data: bands from the top, rows 3 and 4 merged.
    const std::vector<paint::Rect> expected = {
        {5, 0, 395, 1}, {3, 1, 397, 2}, {2, 2, 398, 3}, {1, 3, 399, 5}, {0, 5, 400, 300}};
    EXPECT_EQ(shape.rects, expected);
}

TEST(FrameRegion, EveryLaterLayoutReshapes) {
    Sized<controls::XPF> f(400, 300);
    f.frame.TransparentEdges();
    const int before = f.host.shapes;
    f.frame.Resize(300 * 15, 200 * 15);
    EXPECT_GT(f.host.shapes, before);
    EXPECT_TRUE(f.host.Shape().Contains(294, 0));
    EXPECT_FALSE(f.host.Shape().Contains(295, 0));
    EXPECT_TRUE(f.host.Shape().Contains(299, 199));
    EXPECT_FALSE(f.host.Shape().Contains(299, 200));
}

TEST(FrameRegion, FractionalEdgesRoundHalfToEven) {
    EXPECT_EQ(controls::RoundHalfEven(395.5f), 396);
    EXPECT_EQ(controls::RoundHalfEven(396.5f), 396);
    EXPECT_EQ(controls::RoundHalfEven(2.4f), 2);
    EXPECT_EQ(controls::RoundHalfEven(2.6f), 3);
    // W = 400.5, H = 300.5: right edges 395.5 -> 396, 397.5 -> 398, 398.5 -> 398, 399.5 -> 400,
    // 400.5 -> 400; bottom 300.5 -> 300.
    const paint::RegionData r = controls::RoundedTopRegion(400.5f, 300.5f);
    const std::vector<paint::Rect> expected = {
        {5, 0, 396, 1}, {3, 1, 398, 2}, {2, 2, 398, 3}, {1, 3, 400, 5}, {0, 5, 400, 300}};
    EXPECT_EQ(r.rects, expected);
}

TEST(FrameRegion, ReTransEnforcesTheMinimumFirst) {
    FrameTestHost host;
    controls::XPF frame(1);
    frame.SetHost(&host);
    frame.Resize(1695, 615);
    frame.ReTrans();
    EXPECT_TRUE(host.Shape().Contains(107, 0));  // 113 - 5 - 1
    EXPECT_FALSE(host.Shape().Contains(108, 0));
    EXPECT_TRUE(host.Shape().Contains(0, 40));
    EXPECT_FALSE(host.Shape().Contains(0, 41));
}

}  // namespace
