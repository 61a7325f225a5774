// The small skinned button: the nine-piece stretch of its skin cells, the looks per state,
// enabled state and hover, the label, the hover timer's edge rule, and persistence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/button/xpcmdbutton.h"
#include "controls/paint/bmp.h"
#include "fixed_text.h"

namespace {

using controls::xpcmdbutton;
using paint::MakeRgb;
using paint::Rgb;

class CmdTestHost : public controls::StandaloneCmdButtonHost {
public:
    std::string DisplayName() const override { return displayName; }
    paint::FontInfo AmbientFont() const override { return ambient; }
    void SetWindowFont(const paint::FontInfo& f) override { windowFont = f; }
    void SetWindowEnabled(bool e) override { windowEnabled = e; }
    void PropertyChanged(std::string_view key) override { changes.emplace_back(key); }
    void SetTimer(bool enabled, int interval) override {
        log.push_back(enabled ? "timer on " + std::to_string(interval) : "timer off");
    }
    controls::CursorPoint CursorInClient() const override { return cursor; }
    void Invalidate(const xpcmdbutton& button) override {
        StandaloneCmdButtonHost::Invalidate(button);
        ++drawings;
    }
    paint::TextRenderer* Text() override { return &text; }
    Rgb Px(int x, int y) const { return SurfacePixels().Pixel(x, y); }

    std::string displayName = "xpcmdbutton1";
    paint::FontInfo ambient{"MS Sans Serif", 8.25};
    paint::FontInfo windowFont;
    bool windowEnabled = true;
    std::vector<std::string> changes;
    std::vector<std::string> log;
    controls::CursorPoint cursor;
    int drawings = 0;
    testing_support::FixedText text;
};

paint::PicturePtr SkinPicture() {
    static const paint::PicturePtr skin =
        paint::LoadBmpFile(std::string(DRAVIK_PICTURES_DIR) + "/" + xpcmdbutton::kSkinFile);
    return skin;
}

struct Button {
    Button(int w, int h, std::string caption = "") : button(1, std::move(caption)) {
        button.SetHost(&host);
        button.SetSkin(SkinPicture());
        button.Resize(w, h);
        button.onMouseOut = [this] { host.log.push_back("MOUSEOUT"); };
        button.onMouseMove = [this](int, int, float, float) { host.log.push_back("MouseMove"); };
        button.onMouseDown = [this](int, int, float, float) { host.log.push_back("MouseDown"); };
        button.onMouseUp = [this](int, int, float, float) { host.log.push_back("MouseUp"); };
        button.onClick = [this] { host.log.push_back("Click"); };
        button.onKeyDown = [this](int k, int) {
            host.log.push_back("KeyDown " + std::to_string(k));
        };
        button.onKeyPress = [this](int k) { host.log.push_back("KeyPress " + std::to_string(k)); };
        button.onKeyUp = [this](int k, int) { host.log.push_back("KeyUp " + std::to_string(k)); };
    }
    Rgb Cell(int k, int x, int y) const { return SkinPicture()->pixels.Pixel(k * 18 + x, y); }
    CmdTestHost host;
    xpcmdbutton button;
};

// --- the nine-piece stretch ---

TEST(CmdButtonSkin, AtTheCellsOwnSizeTheCellIsCopiedWhole) {
    ASSERT_TRUE(SkinPicture());
    Button b(18, 21);
    for (int k = 0; k < 5; ++k) {
        b.button.PaintSkin(k);
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 18; ++x)
                ASSERT_EQ(b.host.Px(x, y), b.Cell(k, x, y)) << k << ": " << x << "," << y;
    }
}

TEST(CmdButtonSkin, CornersKeptEdgesAndCentreStretched) {
    // 201 x 57, the main window's buttons at 15 twips a pixel (3015 x 855 twips).
    for (auto [W, H] : {std::pair{201, 57}, std::pair{40, 30}}) {
        Button b(W, H);
        b.button.PaintSkin(4);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                EXPECT_EQ(b.host.Px(x, y), b.Cell(4, x, y));
                EXPECT_EQ(b.host.Px(W - 3 + x, y), b.Cell(4, 15 + x, y));
                EXPECT_EQ(b.host.Px(x, H - 3 + y), b.Cell(4, x, 18 + y));
                EXPECT_EQ(b.host.Px(W - 3 + x, H - 3 + y), b.Cell(4, 15 + x, 18 + y));
            }
        // The top and bottom edges keep their three rows all along; the side edges keep their
        // three columns, starting with the cell's row 3 and ending with its row 17.
        for (int x : {3, W / 2, W - 4})
            for (int y = 0; y < 3; ++y) {
                EXPECT_EQ(b.host.Px(x, y), b.Cell(4, 9, y)) << W << ": " << x << "," << y;
                EXPECT_EQ(b.host.Px(x, H - 3 + y), b.Cell(4, 9, 18 + y)) << x << "," << y;
            }
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(b.host.Px(x, 3), b.Cell(4, x, 3));
            EXPECT_EQ(b.host.Px(x, H - 4), b.Cell(4, x, 17));
            EXPECT_EQ(b.host.Px(W - 3 + x, 3), b.Cell(4, 15 + x, 3));
            EXPECT_EQ(b.host.Px(W - 3 + x, H - 4), b.Cell(4, 15 + x, 17));
        }
        // The inner frame's sides lie in the side edges; the centre is face from end to end.
        for (int x : {1, 2, W - 3, W - 2}) EXPECT_EQ(b.host.Px(x, H / 2), MakeRgb(160, 190, 236));
        EXPECT_EQ(b.host.Px(3, H / 2), b.host.Px(W / 2, H / 2));
        EXPECT_EQ(b.host.Px(W - 4, H / 2), b.host.Px(W / 2, H / 2));
        EXPECT_NE(b.host.Px(3, H / 2), MakeRgb(160, 190, 236));
        EXPECT_EQ(b.host.Px(W / 2, 3), b.Cell(4, 9, 3));
        EXPECT_EQ(b.host.Px(W / 2, H - 4), b.Cell(4, 9, 17));
    }
}

TEST(CmdButtonSkin, DoubleSizeRepeatsEachCentrePixelTwice) {
    // 30 x 36: the 12 x 15 centre becomes 24 x 30.
    Button b(30, 36);
    b.button.PaintSkin(3);
    for (int j = 0; j < 30; ++j)
        for (int i = 0; i < 24; ++i)
            ASSERT_EQ(b.host.Px(3 + i, 3 + j), b.Cell(3, 3 + i / 2, 3 + j / 2)) << i << "," << j;
}

TEST(CmdButtonSkin, TinyButtonDrawsOnlyItsCorners) {
    // 7 x 5: the top and bottom edges have 1 pixel of width, the sides and centre no height.
    Button b(7, 5);
    b.button.PaintSkin(0);
    EXPECT_EQ(b.host.Px(0, 0), b.Cell(0, 0, 0));
    EXPECT_EQ(b.host.Px(6, 0), b.Cell(0, 17, 0));
    EXPECT_EQ(b.host.Px(6, 4), b.Cell(0, 17, 20));
    EXPECT_EQ(b.host.Px(3, 0), b.Cell(0, 9, 0));   // top edge, 1 wide
    EXPECT_EQ(b.host.Px(3, 4), b.Cell(0, 9, 20));  // bottom edge
    // The bottom corners begin at row 2, so rows 0 to 2 hold the top ones, 2 to 4 the bottom
    // ones; column 3 of rows 3 would be centre or side: none drawn, the surface stays as it was.
    EXPECT_EQ(b.host.Px(3, 3), b.Cell(0, 9, 19));  // the bottom edge's second row
    EXPECT_EQ(b.host.Px(3, 2), b.Cell(0, 9, 18));  // and its first
    Button c(5, 4);  // the edges are negative too: nothing at all between the corners
    c.button.PaintSkin(0);
    EXPECT_EQ(c.host.Px(0, 0), c.Cell(0, 0, 0));
    EXPECT_EQ(c.host.Px(4, 3), c.Cell(0, 17, 20));
}

// --- looks ---

TEST(CmdButtonLook, StateSelectsTheLook) {
    Button b(60, 21);
    EXPECT_EQ(b.button.PaintedCell(), 0);
    EXPECT_EQ(b.button.CurrentLook(), 0);
    b.button.SetState(1);
    EXPECT_EQ(b.button.CurrentLook(), 4);
    EXPECT_EQ(b.button.PaintedCell(), 4);
    EXPECT_EQ(b.host.Px(30, 1), MakeRgb(206, 231, 255));  // blue frame
    b.button.SetState(7);  // neither 0 nor 1: the look stays
    EXPECT_EQ(b.button.CurrentLook(), 4);
    EXPECT_EQ(b.button.PaintedCell(), 4);
    b.button.SetState(0);
    EXPECT_EQ(b.button.CurrentLook(), 0);
    EXPECT_EQ(b.host.Px(30, 1), MakeRgb(255, 255, 255));
}

TEST(CmdButtonLook, HoverShowsCellThreeAndLeavingReturnsToTheStatesLook) {
    Button b(60, 21);
    b.button.SetState(1);
    b.button.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(b.button.PaintedCell(), 3);
    b.button.MouseMove(1, 0, 10, 10);
    EXPECT_EQ(b.button.PaintedCell(), 1);  // the left button held
    b.button.MouseMove(2, 0, 10, 10);
    EXPECT_EQ(b.button.PaintedCell(), 3);
    b.host.cursor = {70, 10};
    b.button.TimerTick();
    EXPECT_EQ(b.button.PaintedCell(), 4);
}

TEST(CmdButtonLook, PressFocusAndRelease) {
    Button b(60, 21);
    b.button.MouseDown(1, 0, 5, 5);
    EXPECT_EQ(b.button.PaintedCell(), 1);
    b.button.MouseUp(1, 0, 5, 5);
    EXPECT_EQ(b.button.PaintedCell(), 0);
    b.button.GotFocus();
    EXPECT_EQ(b.button.PaintedCell(), 3);
    b.button.LostFocus();
    EXPECT_EQ(b.button.PaintedCell(), 0);
    EXPECT_EQ(b.host.log, (std::vector<std::string>{"MouseDown", "MouseUp"}));
}

TEST(CmdButtonLook, DisabledShowsCellTwoAndGreyCaptionWhateverTheState) {
    for (int state : {0, 1}) {
        Button b(100, 30, "Tray it!");
        b.button.SetState(state);
        b.button.SetEnabled(false);
        EXPECT_EQ(b.button.PaintedCell(), 2);
        EXPECT_FALSE(b.host.windowEnabled);
        EXPECT_EQ(b.button.LabelColor(), MakeRgb(161, 161, 146));
        ASSERT_FALSE(b.host.text.draws.empty());
        EXPECT_EQ(b.host.text.draws.back().color, MakeRgb(161, 161, 146));
        EXPECT_EQ(b.host.Px(26, 10), MakeRgb(161, 161, 146));  // a glyph of the caption
        EXPECT_EQ(b.host.Px(50, 2), MakeRgb(245, 244, 234));   // the flat disabled face
        b.button.SetEnabled(true);
        EXPECT_EQ(b.button.PaintedCell(), state == 1 ? 4 : 0);
        EXPECT_EQ(b.host.text.draws.back().color, 0x000000u);
        EXPECT_EQ(b.host.Px(26, 10), 0x000000u);
    }
}

TEST(CmdButtonLook, LabelIsCentredOnTopOfTheSkin) {
    Button b(100, 30, "Tray it!");  // 8 characters: 48 x 10
    EXPECT_FLOAT_EQ(b.button.Label().left, 26);
    EXPECT_FLOAT_EQ(b.button.Label().top, 10);
    EXPECT_EQ(b.host.text.draws.back().box, (paint::Rect{26, 10, 74, 20}));
    b.button.SetCaption("Monitor");  // 42 x 10: a half pixel left over
    EXPECT_FLOAT_EQ(b.button.Label().left, 29);
    b.button.Resize(101, 31);
    EXPECT_FLOAT_EQ(b.button.Label().left, 29.5f);
    EXPECT_FLOAT_EQ(b.button.Label().top, 10.5f);
    EXPECT_EQ(b.host.text.draws.back().box, (paint::Rect{29, 10, 71, 20}));
    // Every look redraws the label over the skin.
    b.button.MouseMove(0, 0, 50, 15);
    EXPECT_EQ(b.host.text.draws.back().text, "Monitor");
    EXPECT_EQ(b.host.Px(29, 10), 0x000000u);
}

// --- Timer1 ---

TEST(CmdButtonTimer, StartsOnMoveAndStopsOnTheFirstTickOutside) {
    Button b(40, 30);
    EXPECT_FALSE(b.button.TimerEnabled());
    b.button.MouseMove(0, 0, 5, 5);
    b.button.MouseMove(0, 0, 6, 5);  // already on: no second start
    b.host.cursor = {40, 30};        // on the right and bottom edges: still inside
    b.button.TimerTick();
    b.host.cursor = {0, 0};
    b.button.TimerTick();
    EXPECT_TRUE(b.button.TimerEnabled());
    b.host.cursor = {41, 10};
    b.button.TimerTick();
    EXPECT_FALSE(b.button.TimerEnabled());
    EXPECT_EQ(b.host.log, (std::vector<std::string>{"timer on 10", "MouseMove", "MouseMove",
                                                    "timer off", "MOUSEOUT"}));
    EXPECT_EQ(b.button.PaintedCell(), 0);
}

TEST(CmdButtonTimer, EachSideCountsAsOutside) {
    for (auto [x, y] :
         {std::pair{-1, 10}, std::pair{10, -1}, std::pair{41, 10}, std::pair{10, 31}}) {
        Button b(40, 30);
        b.button.MouseMove(0, 0, 5, 5);
        b.host.cursor = {x, y};
        b.button.TimerTick();
        EXPECT_FALSE(b.button.TimerEnabled()) << x << "," << y;
        EXPECT_EQ(b.host.log.back(), "MOUSEOUT") << x << "," << y;
    }
}

TEST(CmdButtonTimer, MoveOutsideTheAreaStartsTheTimerButRaisesAndPaintsNothing) {
    Button b(40, 30);
    const int drawings = b.host.drawings;
    b.button.MouseMove(0, 0, 40.5f, 5);
    EXPECT_TRUE(b.button.TimerEnabled());
    EXPECT_EQ(b.host.log, (std::vector<std::string>{"timer on 10"}));
    EXPECT_EQ(b.host.drawings, drawings);
    b.button.MouseMove(0, 0, 40, 30);  // the far edges are inside
    EXPECT_EQ(b.host.log.back(), "MouseMove");
    EXPECT_EQ(b.button.PaintedCell(), 3);
}

// --- clicks and keys ---

TEST(CmdButtonInput, LabelAndAccessKeyClickLikeTheSkin) {
    Button b(40, 30, "Go");
    b.button.Click();
    b.button.LabelClick();
    b.button.AccessKeyPress();
    EXPECT_EQ(b.host.log, (std::vector<std::string>{"Click", "Click", "Click"}));
    b.button.LabelMouseDown(1, 0, 2, 2);
    EXPECT_EQ(b.button.PaintedCell(), 1);
    b.button.LabelMouseUp(1, 0, 2, 2);
    EXPECT_EQ(b.button.PaintedCell(), 0);
}

TEST(CmdButtonInput, DoubleClickClicksOnceAndShowsTheSecondPress) {
    Button b(40, 30, "Go");
    // The order in which a window delivers a double click.
    b.button.MouseDown(1, 0, 5, 5);
    b.button.MouseUp(1, 0, 5, 5);
    b.button.Click();
    b.button.DblClick();
    EXPECT_EQ(b.button.PaintedCell(), 1);  // the second press shows like the first
    b.button.MouseUp(1, 0, 5, 5);
    EXPECT_EQ(b.button.PaintedCell(), 0);
    EXPECT_EQ(b.host.log, (std::vector<std::string>{"MouseDown", "MouseUp", "Click", "MouseUp"}));
}

// The host holds the buttons as ControlModel references: a caption or enabled state set through
// one reaches the label, the skin and the design data as through the button's own type.
TEST(CmdButtonInput, SettersThroughTheControlModelReactLikeTheButtonsOwn) {
    Button b(100, 30, "Tray it!");
    controls::ControlModel& model = b.button;
    model.SetCaption("Monitor");
    EXPECT_EQ(b.host.changes, std::vector<std::string>{"Caption"});
    EXPECT_FLOAT_EQ(b.button.Label().left, 29);  // re-centred: 42 pixels wide
    EXPECT_EQ(b.host.text.draws.back().text, "Monitor");
    model.SetEnabled(false);
    EXPECT_EQ(b.host.changes, (std::vector<std::string>{"Caption", "Enabled"}));
    EXPECT_FALSE(b.host.windowEnabled);
    EXPECT_EQ(b.button.PaintedCell(), 2);
    EXPECT_EQ(b.button.LabelColor(), MakeRgb(161, 161, 146));
}

TEST(CmdButtonInput, KeysRaiseTheirEventsButTheSpaceBarGivesNoClick) {
    Button b(40, 30);
    b.button.KeyDown(32, 0);
    b.button.KeyPress(32);
    b.button.KeyUp(32, 0);
    EXPECT_EQ(b.host.log, (std::vector<std::string>{"KeyDown 32", "KeyPress 32", "KeyUp 32"}));
}

// --- persistence ---

TEST(CmdButtonPersistence, DefaultsAreNotWrittenButTheFontIs) {
    Button b(40, 30);
    b.button.InitProperties();
    EXPECT_EQ(b.button.Caption(), "xpcmdbutton1");
    EXPECT_TRUE(b.button.Enabled());
    EXPECT_EQ(b.button.Font(), b.host.ambient);
    controls::PropertyBag bag;
    b.button.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"Font"}));
}

TEST(CmdButtonPersistence, RoundTrip) {
    Button b(40, 30);
    b.button.SetState(1);
    b.button.SetEnabled(false);
    b.button.SetCaption("Monitor Settings");
    const paint::FontInfo font{"Verdana", 10, true};
    b.button.SetFont(font);
    controls::PropertyBag bag;
    b.button.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::string>{"State", "Enabled", "Caption", "Font"}));

    Button c(40, 30);
    c.host.changes.clear();
    c.button.ReadProperties(bag);
    EXPECT_EQ(c.button.State(), 1);
    EXPECT_FALSE(c.button.Enabled());
    EXPECT_EQ(c.button.Caption(), "Monitor Settings");
    EXPECT_EQ(c.button.Font(), font);
    EXPECT_EQ(c.host.windowFont, font);
    EXPECT_EQ(c.button.PaintedCell(), 2);
    // Each applied through its property, in the order of the keys.
    EXPECT_EQ(c.host.changes, (std::vector<std::string>{"State", "Enabled", "Caption", "Font"}));
}

TEST(CmdButtonPersistence, MissingKeysGiveTheDefaults) {
    Button b(40, 30);
    b.button.SetState(1);
    b.button.SetEnabled(false);
    controls::PropertyBag empty;
    b.button.ReadProperties(empty);
    EXPECT_EQ(b.button.State(), 0);
    EXPECT_TRUE(b.button.Enabled());
    EXPECT_EQ(b.button.Caption(), "xpcmdbutton1");
    EXPECT_EQ(b.button.Font(), b.host.ambient);
    EXPECT_EQ(b.button.PaintedCell(), 0);
}

// A window made after the form set the caption and enabled state reads the rest of the design:
// the button keeps both and shows them, and its observer hears of nothing.
TEST(CmdButtonPersistence, ReadDesignKeepsTheCaptionAndEnabledStateTheButtonHas) {
    Button b(40, 30);
    b.button.SetEnabled(false);
    b.button.SetCaption("800 x 600");
    int told = 0;
    b.button.SetObserver([&](controls::ControlModel&, controls::Change) { ++told; });
    controls::PropertyBag design;
    design.Write("Caption", std::string(""));
    design.Write("Enabled", true);
    design.Write("State", std::int32_t{1});
    b.host.changes.clear();
    b.button.ReadDesign(design);
    EXPECT_EQ(b.button.Caption(), "800 x 600");
    EXPECT_FALSE(b.button.Enabled());
    EXPECT_EQ(b.button.State(), 1);
    EXPECT_EQ(b.button.PaintedCell(), 2);  // the disabled look
    EXPECT_EQ(told, 0);
    EXPECT_EQ(b.host.changes, (std::vector<std::string>{"State", "Enabled", "Caption", "Font"}));
    EXPECT_EQ(b.button.Kind(), controls::ControlKind::SmallButton);
}

TEST(CmdButtonPersistence, KeysAreMatchedWithoutRegardToCase) {
    controls::PropertyBag bag;
    bag.Write("state", std::int32_t{1});
    bag.Write("CAPTION", std::string("Tray it!"));
    Button b(40, 30);
    b.button.ReadProperties(bag);
    EXPECT_EQ(b.button.State(), 1);
    EXPECT_EQ(b.button.Caption(), "Tray it!");
}

}  // namespace
