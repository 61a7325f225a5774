// The frame's reactions: title drag, the close button's pictures and click, the caption copy,
// LoadXP on a form, and the about frames' lack of caption buttons.
#include <gtest/gtest.h>

#include "controls/frame/xpf.h"
#include "controls/frame/xpf_about.h"
#include "frame_test_host.h"

namespace {

using controls::FramePiece;
using testing_support::FrameTestHost;
using testing_support::TestForm;

constexpr int kLeft = 1, kRight = 2, kMiddle = 4;

template <typename Frame>
struct At400By300 {
    At400By300() {
        frame.SetHost(&host);
        frame.LoadPictures(testing_support::PictureFolder());
        frame.Resize(6000, 4500);
    }
    FrameTestHost host;
    Frame frame{1};
};

TEST(FrameInput, PiecesUnderTheMouse) {
    At400By300<controls::XPF> f;
    EXPECT_EQ(f.frame.PieceAt(2, 15), FramePiece::TitleLeft);
    EXPECT_EQ(f.frame.PieceAt(200, 2), FramePiece::Title);
    EXPECT_EQ(f.frame.PieceAt(395, 15), FramePiece::TitleRight);
    EXPECT_EQ(f.frame.PieceAt(100, 10), FramePiece::Caption1);
    EXPECT_EQ(f.frame.PieceAt(5, 21), FramePiece::Caption2);  // the shadow sticks out left, below
    EXPECT_EQ(f.frame.PieceAt(373, 4), FramePiece::CloseButton);
    EXPECT_EQ(f.frame.PieceAt(393, 24), FramePiece::CloseButton);
    EXPECT_EQ(f.frame.PieceAt(394, 24), FramePiece::TitleRight);
    EXPECT_EQ(f.frame.PieceAt(380, 26), FramePiece::Title);
    EXPECT_EQ(f.frame.PieceAt(364, 15), FramePiece::Caption1);  // up to 6.5 + 359
    EXPECT_EQ(f.frame.PieceAt(366, 15), FramePiece::Title);     // hidden maximise is no target
    EXPECT_EQ(f.frame.PieceAt(1, 100), FramePiece::Left);
    EXPECT_EQ(f.frame.PieceAt(398, 100), FramePiece::Right);
    EXPECT_EQ(f.frame.PieceAt(200, 298), FramePiece::Bottom);
    EXPECT_EQ(f.frame.PieceAt(1, 298), FramePiece::BottomLeft);
    EXPECT_EQ(f.frame.PieceAt(398, 298), FramePiece::BottomRight);
    EXPECT_EQ(f.frame.PieceAt(200, 150), FramePiece::None);
}

TEST(FrameInput, AnyButtonOnTheTitleDragsTheWindow) {
    At400By300<controls::XPF> f;
    f.frame.MouseDown(kLeft, 200, 15);
    EXPECT_EQ(f.host.Drags(), 1);
    f.frame.MouseDown(kRight, 200, 15);
    f.frame.MouseDown(kMiddle, 200, 15);
    EXPECT_EQ(f.host.Drags(), 3);
    f.frame.MouseDown(kLeft, 2, 15);    // TitleLeft
    f.frame.MouseDown(kLeft, 395, 15);  // TitleRight
    f.frame.MouseDown(kRight, 100, 10); // Caption1
    f.frame.MouseDown(kLeft, 5, 21);    // Caption2
    EXPECT_EQ(f.host.Drags(), 7);
}

TEST(FrameInput, BordersCloseButtonAndInteriorDoNotDrag) {
    At400By300<controls::XPF> f;
    for (auto [x, y] : {std::pair{1, 100}, std::pair{398, 100}, std::pair{200, 298},
                        std::pair{380, 10}, std::pair{200, 150}})
        f.frame.MouseDown(kLeft, x, y);
    EXPECT_EQ(f.host.Drags(), 0);
}

TEST(FrameInput, ClosePicturesFollowTheMouse) {
    At400By300<controls::XPF> f;
    EXPECT_EQ(f.frame.CloseState(), 1);
    f.frame.MouseMove(0, 380, 10);
    EXPECT_EQ(f.frame.CloseState(), 2);  // hot
    f.frame.MouseMove(kLeft, 380, 10);
    EXPECT_EQ(f.frame.CloseState(), 3);  // pressed while the left button is held
    f.frame.MouseMove(kRight, 380, 10);
    EXPECT_EQ(f.frame.CloseState(), 2);  // another button is no press
    f.frame.MouseMove(0, 100, 10);       // over the caption: no change
    f.frame.MouseMove(0, 2, 15);         // over the title's left end: no change
    EXPECT_EQ(f.frame.CloseState(), 2);
    f.frame.MouseMove(0, 200, 2);        // over the title image: normal again
    EXPECT_EQ(f.frame.CloseState(), 1);
}

TEST(FrameInput, TheBoundFormsMouseMoveResetsTheCloseButton) {
    At400By300<controls::XPF> f;
    f.frame.MouseMove(0, 380, 10);
    f.frame.FormMouseMove();  // no form bound yet
    EXPECT_EQ(f.frame.CloseState(), 2);

    TestForm form;
    form.width = 6000, form.height = 4500;
    f.host.form = &form;
    f.frame.LoadXP();
    f.frame.MouseMove(0, 380, 10);
    EXPECT_EQ(f.frame.CloseState(), 2);
    f.frame.FormMouseMove();
    EXPECT_EQ(f.frame.CloseState(), 1);

    f.frame.Terminate();
    EXPECT_EQ(f.frame.BoundForm(), nullptr);
    f.frame.MouseMove(0, 380, 10);
    f.frame.FormMouseMove();
    EXPECT_EQ(f.frame.CloseState(), 2);
}

TEST(FrameInput, PressedPictureOfThe256SetWidensTheButtonInPlace) {
    At400By300<controls::MorvXPF> f;
    f.frame.MouseMove(kLeft, 380, 10);
    EXPECT_FLOAT_EQ(f.frame.Box(FramePiece::CloseButton).width, 22);
    EXPECT_FLOAT_EQ(f.frame.Box(FramePiece::CloseButton).left, 373);
    f.frame.MouseMove(0, 200, 2);
    EXPECT_FLOAT_EQ(f.frame.Box(FramePiece::CloseButton).width, 21);
}

TEST(FrameInput, CloseClickRaisesTheEventOnce) {
    At400By300<controls::XPF> f;
    int closes = 0;
    f.frame.onCloseClick = [&] { ++closes; };
    f.frame.MouseDown(kLeft, 380, 10);
    f.frame.MouseUp(kLeft, 381, 11);
    EXPECT_EQ(closes, 1);
    f.frame.MouseDown(kLeft, 380, 10);
    f.frame.MouseUp(kLeft, 200, 150);  // released elsewhere
    f.frame.MouseDown(kRight, 380, 10);
    f.frame.MouseUp(kRight, 380, 10);  // not the left button
    f.frame.MouseUp(kLeft, 380, 10);   // no press before it
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(f.host.Drags(), 0);
}

TEST(FrameInput, AboutFramesHaveNoCloseButton) {
    At400By300<controls::XPFAbout> f;
    int closes = 0;
    f.frame.onCloseClick = [&] { ++closes; };
    EXPECT_EQ(f.frame.PieceAt(380, 10), FramePiece::Title);
    f.frame.MouseMove(kLeft, 380, 10);
    EXPECT_EQ(f.frame.CloseState(), 1);
    f.frame.PieceClick(FramePiece::CloseButton);
    EXPECT_EQ(closes, 0);
    f.frame.MouseDown(kLeft, 380, 10);  // the title still drags
    EXPECT_EQ(f.host.Drags(), 1);
}

TEST(FrameInput, ShadowCaptionFollowsTheCaption) {
    controls::XPF frame(1);
    EXPECT_EQ(frame.Caption1Text(), "Morv Dravik");
    EXPECT_EQ(frame.Caption2Text(), "Morv Dravik");
    frame.SetCaption1Text("About Dravik");
    EXPECT_EQ(frame.Caption2Text(), "About Dravik");
}

// --- LoadXP ---

TEST(FrameLoadXP, TurnsTheFormIntoABorderlessCentredShapedWindow) {
    FrameTestHost host;
    TestForm form;
    form.left = 1500, form.top = 1500;
    form.style = 0x14CF0000;  // visible, clip siblings, caption, system menu, sizing, min, max
    host.form = &form;
    controls::XPF frame(1);
    frame.SetHost(&host);
    frame.SetPieceVisible(FramePiece::TitleIcon, true);
    frame.Resize(7335, 4815);
    host.resized.clear();

    frame.LoadXP();

    EXPECT_FALSE(frame.Box(FramePiece::TitleIcon).visible);
    EXPECT_EQ(frame.BoundForm(), &form);
    EXPECT_EQ(frame.Caption1Text(), "Dravik");
    EXPECT_EQ(frame.Caption2Text(), "Dravik");
    EXPECT_EQ(form.style, 0x14080000u);  // frame bits and boxes gone, system menu kept
    // At the form's place and size with room for a title: 4815 + 375 twips, at 15 twips a pixel.
    ASSERT_EQ(form.positions.size(), 1u);
    EXPECT_EQ(form.positions[0], (paint::Rect{100, 100, 100 + 489, 100 + 346}));
    // Then 365 twips shorter, centred on the 1024 x 768 screen.
    EXPECT_FLOAT_EQ(form.width, 7335);
    EXPECT_FLOAT_EQ(form.height, 4825);
    EXPECT_FLOAT_EQ(form.left, (15360 - 7335) / 2.0f);
    EXPECT_FLOAT_EQ(form.top, (11520 - 4825) / 2.0f);
    // The control takes the form's size.
    EXPECT_FLOAT_EQ(frame.WidthTwips(), 7335);
    EXPECT_FLOAT_EQ(frame.HeightTwips(), 4825);
    ASSERT_EQ(host.resized.size(), 1u);
    EXPECT_EQ(host.resized[0], (testing_support::Resized{7335, 4825}));
    // The form's own window gets the round-topped shape of 489 x 321.67 pixels.
    EXPECT_EQ(form.shapes, 1);
    ASSERT_FALSE(form.shape.rects.empty());
    EXPECT_EQ(form.shape.rects.front(), (paint::Rect{5, 0, 484, 1}));
    EXPECT_EQ(form.shape.rects.back(), (paint::Rect{0, 5, 489, 322}));
    EXPECT_EQ(host.pumps, 1);
    EXPECT_FALSE(form.visible);
}

TEST(FrameLoadXP, BorderlessFormKeepsItsHeight) {
    FrameTestHost host;
    TestForm form;
    form.borderStyle = 0;
    form.style = 0x16000000;
    host.form = &form;
    controls::XPFAbout frame(1);
    frame.SetHost(&host);
    frame.Resize(6000, 4500);
    frame.LoadXP();
    EXPECT_EQ(form.style, 0x16080000u);
    ASSERT_EQ(form.positions.size(), 1u);
    EXPECT_EQ(form.positions[0], (paint::Rect{0, 0, 400, 300}));
    EXPECT_FLOAT_EQ(form.height, 4500);
    EXPECT_FLOAT_EQ(frame.HeightTwips(), 4500);
}

TEST(FrameLoadXP, SmallFormIsShapedAtTheMinimum) {
    FrameTestHost host;
    TestForm form;
    form.borderStyle = 0;
    host.form = &form;
    controls::XPF frame(1);
    frame.SetHost(&host);
    frame.LoadXP();  // the control sits at its minimum, 1695 x 615
    EXPECT_FLOAT_EQ(form.width, 1695);
    EXPECT_FLOAT_EQ(form.height, 615);
    EXPECT_EQ(form.shape.rects.back(), (paint::Rect{0, 5, 113, 41}));
}

}  // namespace
