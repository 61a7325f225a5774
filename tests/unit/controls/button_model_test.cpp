#include <gtest/gtest.h>

#include <cmath>

#include "controls/button/pell_xp_button.h"
#include "test_host.h"

namespace {

using controls::PellXPButton;
using controls::PropertyBag;
using paint::MakeRgb;
using testing_support::TestHost;

paint::PicturePtr SolidPicture(int w, int h, paint::Rgb c) {
    auto p = std::make_shared<paint::Picture>();
    p->pixels = paint::PixelBuffer(w, h, c);
    return p;
}

struct Button {
    TestHost host;
    PellXPButton button{1, "Caption", "Verdana"};
    Button() {
        button.SetHost(&host);
        button.InitProperties();
        button.Resize(100, 30);
        button.Show();
        host.changes.clear();
        host.drawings = 0;
    }
};

TEST(AccessKey, CaptionsFromTheText) {
    using controls::AccessKeyOf;
    EXPECT_EQ(AccessKeyOf("&Save"), "s");
    EXPECT_EQ(AccessKeyOf("Save & Exit"), " ");
    EXPECT_EQ(AccessKeyOf("Tom && Jerry"), "");
    EXPECT_EQ(AccessKeyOf("&&&x"), "x");
    EXPECT_EQ(AccessKeyOf("A&&B&&C&D"), "");
    EXPECT_EQ(AccessKeyOf("A&"), "");
    EXPECT_EQ(AccessKeyOf("&"), "");
    EXPECT_EQ(AccessKeyOf("Save"), "");
    EXPECT_EQ(AccessKeyOf("x&&"), "");
}

TEST(AccessKey, SetByTheCaptionAndAfterLoading) {
    Button b;
    b.button.SetCaption("E&xit");
    EXPECT_EQ(b.button.AccessKeys(), "x");
    PropertyBag bag;
    bag.Write("TX", std::string("&Open"));
    b.button.ReadProperties(bag);
    EXPECT_EQ(b.button.AccessKeys(), "o");
}

// A window made after the form set the caption and enabled state reads the rest of the design:
// the button keeps both, and its observer hears of neither.
TEST(ButtonDefaults, ReadDesignKeepsTheCaptionAndEnabledStateTheButtonHas) {
    Button b;
    b.button.SetCaption("&Invalid resolution");
    b.button.SetEnabled(false);
    int told = 0;
    b.button.SetObserver([&](controls::ControlModel&, controls::Change c) {
        told += c == controls::Change::Caption || c == controls::Change::Enabled;
    });
    PropertyBag design;
    design.Write("TX", std::string("Not set"));
    design.Write("ENAB", true);
    design.Write("BTYPE", std::int32_t{3});
    b.button.ReadDesign(design);
    EXPECT_EQ(b.button.Caption(), "&Invalid resolution");
    EXPECT_FALSE(b.button.Enabled());
    EXPECT_EQ(b.button.AccessKeys(), "i");
    EXPECT_EQ(b.button.ButtonType(), 3);
    EXPECT_EQ(told, 0);
    EXPECT_EQ(b.button.Kind(), controls::ControlKind::PushButton);
}

TEST(ButtonDefaults, InitPropertiesGivesANewInstance) {
    TestHost host;
    host.displayName = "CmdSomething";
    PellXPButton button(1, "x", "Arial");
    button.SetHost(&host);
    button.InitProperties();
    EXPECT_EQ(button.ButtonType(), 3);
    EXPECT_EQ(button.ColorScheme(), 1);
    EXPECT_EQ(button.Caption(), "CmdSomething");
    EXPECT_EQ(button.FontName(), "Verdana");
    EXPECT_EQ(button.BackColor(), 0xFFFFFF);
    EXPECT_EQ(button.BackOver(), 0xFFFFFF);
    EXPECT_EQ(static_cast<paint::Rgb>(button.ForeColor()), host.Sys()[18]);
    EXPECT_EQ(button.ForeOver(), 0xFF0000);
    EXPECT_EQ(button.MaskColor(), 0xC0C0C0);
    EXPECT_TRUE(button.Enabled());
    EXPECT_TRUE(button.ShowFocusRect());
    EXPECT_TRUE(button.UseMaskColor());
    EXPECT_FALSE(button.SoftBevel());
    EXPECT_FALSE(button.Value());
    EXPECT_EQ(button.ImageIndex(), 0);
    EXPECT_TRUE(button.HandFlag());
    EXPECT_STREQ(button.Version(), "2.0.6");
}

TEST(ButtonPersistence, ABagWithoutButtonTypeLoadsTheClassicLook) {
    TestHost host;
    PellXPButton button(1, "x", "Verdana");
    button.SetHost(&host);
    button.ReadProperties(PropertyBag{});
    EXPECT_EQ(button.ButtonType(), 2);
    EXPECT_EQ(button.Caption(), "");
    EXPECT_EQ(static_cast<paint::Rgb>(button.BackColor()), host.Sys()[15]);
    EXPECT_EQ(button.BackOver(), button.BackColor());
    EXPECT_EQ(static_cast<paint::Rgb>(button.ForeColor()), host.Sys()[18]);
    EXPECT_EQ(button.ForeOver(), button.ForeColor());
    EXPECT_EQ(button.MaskColor(), 0xC0C0C0);
    EXPECT_TRUE(button.UseMaskColor());
    EXPECT_TRUE(button.ShowFocusRect());
    EXPECT_FALSE(button.HandFlag());
}

TEST(ButtonPersistence, WritesEveryKeyInOrder) {
    Button b;
    PropertyBag bag;
    b.button.WriteProperties(bag);
    const std::vector<std::string> expected{
        "BTYPE", "TX",   "ENAB",  "FONT", "COLTYPE", "FOCUSR", "BCOL",  "BCOLO",
        "FCOL",  "FCOLO", "MCOL", "MPTR", "MICON",   "PICN",   "PICH",  "UMCOL",
        "SOFT",  "PICPOS", "NGREY", "FX",  "HAND",    "CHECK",  "VALUE"};
    EXPECT_EQ(bag.Keys(), expected);  // ImageIndex 0 is left out, PICO is no key
    b.button.SetImageIndex(4);
    b.button.WriteProperties(bag);
    EXPECT_EQ(bag.Keys().back(), "ImageIndex");
    EXPECT_EQ(bag.ReadInt16("IMAGEINDEX", 0), 4);
}

TEST(ButtonPersistence, HandIsTrueOnlyForANewInstance) {
    Button b;
    PropertyBag bag;
    b.button.WriteProperties(bag);
    EXPECT_TRUE(bag.ReadBool("HAND", false));
    TestHost host;
    PellXPButton loaded(2, "", "Verdana");
    loaded.SetHost(&host);
    loaded.ReadProperties(bag);
    PropertyBag again;
    loaded.WriteProperties(again);
    EXPECT_FALSE(again.ReadBool("HAND", true));
}

TEST(ButtonPersistence, RoundTripKeepsEveryProperty) {
    Button b;
    PellXPButton& s = b.button;
    const auto picN = SolidPicture(3, 2, MakeRgb(1, 2, 3));
    const auto picO = SolidPicture(3, 2, MakeRgb(4, 5, 6));
    const auto cursor = SolidPicture(2, 2, MakeRgb(7, 8, 9));
    s.SetButtonType(9);
    s.SetCaption("Tom && &Jerry");
    s.SetEnabled(false);
    s.SetFont(paint::FontInfo{"Tahoma", 11, true, true, false, false});
    s.SetColorScheme(2);
    s.SetShowFocusRect(false);
    s.SetBackColor(MakeRgb(1, 1, 1));
    s.SetBackOver(MakeRgb(2, 2, 2));
    s.SetForeColor(controls::SystemColorRef(13));
    s.SetForeOver(MakeRgb(4, 4, 4));
    s.SetMaskColor(MakeRgb(5, 5, 5));
    s.SetMousePointer(99);
    s.SetMouseIcon(cursor);
    s.SetPictureNormal(picN);
    s.SetPictureOver(picO);
    s.SetUseMaskColor(false);
    s.SetSoftBevel(true);
    s.SetPicturePosition(3);
    s.SetUseGreyscale(true);
    s.SetSpecialEffect(2);
    s.SetCheckBoxBehaviour(true);
    s.SetValue(true);
    s.SetImageIndex(12);
    PropertyBag bag;
    s.WriteProperties(bag);

    TestHost host2;
    PellXPButton r(2, "", "Arial");
    r.SetHost(&host2);
    r.ReadProperties(bag);
    EXPECT_EQ(r.ButtonType(), 9);
    EXPECT_EQ(r.Caption(), "Tom && &Jerry");
    EXPECT_EQ(r.AccessKeys(), "j");
    EXPECT_FALSE(r.Enabled());
    EXPECT_FALSE(host2.WindowEnabled());
    EXPECT_EQ(r.Font(), (paint::FontInfo{"Tahoma", 11, true, true, false, false}));
    EXPECT_EQ(r.ColorScheme(), 2);
    EXPECT_FALSE(r.ShowFocusRect());
    EXPECT_EQ(r.BackColor(), MakeRgb(1, 1, 1));
    EXPECT_EQ(r.BackOver(), MakeRgb(2, 2, 2));
    EXPECT_EQ(r.ForeColor(), controls::SystemColorRef(13));
    EXPECT_EQ(r.ForeOver(), MakeRgb(4, 4, 4));
    EXPECT_EQ(r.MaskColor(), MakeRgb(5, 5, 5));
    EXPECT_EQ(r.MousePointer(), 99);
    EXPECT_EQ(r.MouseIcon(), cursor);
    EXPECT_EQ(r.PictureNormal(), picN);
    EXPECT_EQ(r.PictureOver(), picO);
    EXPECT_FALSE(r.UseMaskColor());
    EXPECT_TRUE(r.SoftBevel());
    EXPECT_EQ(r.PicturePosition(), 3);
    EXPECT_TRUE(r.UseGreyscale());
    EXPECT_EQ(r.SpecialEffect(), 2);
    EXPECT_TRUE(r.CheckBoxBehaviour());
    EXPECT_TRUE(r.Value());
    EXPECT_EQ(r.ImageIndex(), 12);
    EXPECT_EQ(r.PictureRect().width, 3);  // measured after loading
    EXPECT_EQ(host2.drawings, 0);          // loading neither draws
    EXPECT_TRUE(host2.changes.empty());    // nor reports changes

    PropertyBag again;
    r.WriteProperties(again);
    bag.Write("HAND", false);  // the one value that differs after loading
    EXPECT_EQ(again.Keys(), bag.Keys());
    for (const auto& k : bag.Keys()) EXPECT_EQ(*again.Find(k), *bag.Find(k)) << k;
}

// A loaded button is sized (and so drawn) before Show computes its palette: that first drawing
// is already in the stored colours, not in those of the constructor's defaults.
TEST(ButtonPersistence, TheDrawingAfterLoadingIsInTheStoredColours) {
    TestHost host;
    PellXPButton button(1, "Caption", "Verdana");
    button.SetHost(&host);
    PropertyBag bag;
    bag.Write("BTYPE", std::int32_t{2});
    bag.Write("COLTYPE", std::int32_t{2});
    bag.Write("BCOL", std::int32_t{0x123456});
    button.ReadProperties(bag);
    std::vector<paint::Rgb> faces;
    host.onDrawn = [&] { faces.push_back(host.Px(5, 5)); };
    button.Resize(100, 30);
    ASSERT_FALSE(faces.empty());
    EXPECT_EQ(faces.front(), 0x123456u);
}

TEST(ButtonPersistence, ReadsLowerCaseKeys) {
    TestHost host;
    PellXPButton button(1, "", "Verdana");
    button.SetHost(&host);
    PropertyBag bag;
    bag.Write("btype", std::int32_t{3});
    bag.Write("tx", std::string("Tray it!"));
    bag.Write("coltype", std::int32_t{2});
    bag.Write("bcol", std::int32_t{0xFFFFFF});
    bag.Write("picpos", std::int32_t{2});
    bag.Write("imageindex", std::int16_t{6});
    button.ReadProperties(bag);
    EXPECT_EQ(button.ButtonType(), 3);
    EXPECT_EQ(button.Caption(), "Tray it!");
    EXPECT_EQ(button.ColorScheme(), 2);
    EXPECT_EQ(button.BackColor(), 0xFFFFFF);
    EXPECT_EQ(button.BackOver(), 0xFFFFFF);
    EXPECT_EQ(button.PicturePosition(), 2);
    EXPECT_EQ(button.ImageIndex(), 6);
}

TEST(ButtonPersistence, LoadedImageIndexLooksNothingUp) {
    TestHost host;
    host.images = {SolidPicture(2, 2, 1), SolidPicture(2, 2, 2)};
    PellXPButton button(1, "", "Verdana");
    button.SetHost(&host);
    PropertyBag bag;
    bag.Write("ImageIndex", std::int16_t{1});
    button.ReadProperties(bag);
    EXPECT_EQ(button.PictureNormal(), nullptr);
}

struct SetterCase {
    const char* key;
    void (*set)(PellXPButton&);
};

TEST(ButtonProperties, EachSetterReportsItsKeyAndRedraws) {
    const SetterCase cases[] = {
        {"BCOL", [](PellXPButton& b) { b.SetBackColor(0x123456); }},
        {"BCOLO", [](PellXPButton& b) { b.SetBackOver(0x123456); }},
        {"FCOL", [](PellXPButton& b) { b.SetForeColor(0x123456); }},
        {"FCOLO", [](PellXPButton& b) { b.SetForeOver(0x123456); }},
        {"MCOL", [](PellXPButton& b) { b.SetMaskColor(0x123456); }},
        {"BTYPE", [](PellXPButton& b) { b.SetButtonType(4); }},
        {"TX", [](PellXPButton& b) { b.SetCaption("New"); }},
        {"ENAB", [](PellXPButton& b) { b.SetEnabled(false); }},
        {"FONT", [](PellXPButton& b) { b.SetFont(paint::FontInfo{"Arial", 9}); }},
        {"COLTYPE", [](PellXPButton& b) { b.SetColorScheme(3); }},
        {"FOCUSR", [](PellXPButton& b) { b.SetShowFocusRect(false); }},
        {"SOFT", [](PellXPButton& b) { b.SetSoftBevel(true); }},
        {"PICN", [](PellXPButton& b) { b.SetPictureNormal(SolidPicture(4, 4, 9)); }},
        {"PICPOS", [](PellXPButton& b) { b.SetPicturePosition(1); }},
        {"FX", [](PellXPButton& b) { b.SetSpecialEffect(1); }},
        {"CHECK", [](PellXPButton& b) { b.SetCheckBoxBehaviour(true); }},
    };
    for (const auto& c : cases) {
        Button b;
        c.set(b.button);
        EXPECT_EQ(b.host.changes, std::vector<std::string>{c.key}) << c.key;
        EXPECT_GE(b.host.drawings, 1) << c.key;
    }
}

// The host holds buttons as ControlModel references and sets their captions, enabled states
// and colours through them: the button reacts exactly as to a call through its own type.
TEST(ButtonProperties, SettersThroughTheControlModelReactLikeTheButtonsOwn) {
    {
        Button b;
        controls::ControlModel& model = b.button;
        model.SetCaption("E&xit");
        EXPECT_EQ(b.host.changes, std::vector<std::string>{"TX"});
        EXPECT_EQ(b.button.AccessKeys(), "x");
        EXPECT_EQ(b.button.Layout().textWidth, 24);  // relaid: "Exit" in the fixed metrics
        EXPECT_GE(b.host.drawings, 1);
    }
    {
        Button b;
        controls::ControlModel& model = b.button;
        model.SetEnabled(false);
        EXPECT_EQ(b.host.changes, std::vector<std::string>{"ENAB"});
        EXPECT_FALSE(b.host.WindowEnabled());
        EXPECT_EQ(b.button.LastCaptionMode(), 5);  // drawn disabled
    }
    {
        Button b;
        controls::ControlModel& model = b.button;
        b.button.SetColorScheme(2);
        b.host.changes.clear();
        b.host.drawings = 0;
        model.SetBackColor(0x123456);
        EXPECT_EQ(b.host.changes, std::vector<std::string>{"BCOL"});
        EXPECT_EQ(b.button.Colors().face, 0x123456u);
        EXPECT_GE(b.host.drawings, 1);
        model.SetForeColor(0x654321);
        EXPECT_EQ(b.host.changes, (std::vector<std::string>{"BCOL", "FCOL"}));
        EXPECT_EQ(b.button.Colors().text, 0x654321u);
    }
    // Assigning the value a property already has still runs its reaction, as a let does.
    {
        Button b;
        controls::ControlModel& model = b.button;
        model.SetCaption(b.button.Caption());
        EXPECT_EQ(b.host.changes, std::vector<std::string>{"TX"});
        EXPECT_GE(b.host.drawings, 1);
    }
}

TEST(ButtonProperties, SettersThatDoNotRedraw) {
    const SetterCase cases[] = {
        {"PICO", [](PellXPButton& b) { b.SetPictureOver(SolidPicture(4, 4, 9)); }},
        {"UMCOL", [](PellXPButton& b) { b.SetUseMaskColor(false); }},
        {"NGREY", [](PellXPButton& b) { b.SetUseGreyscale(true); }},
        {"VALUE", [](PellXPButton& b) { b.SetValue(true); }},
        {"MPTR", [](PellXPButton& b) { b.SetMousePointer(11); }},
        {"MICON", [](PellXPButton& b) { b.SetMouseIcon(SolidPicture(2, 2, 1)); }},
        {"ImageIndex", [](PellXPButton& b) { b.SetImageIndex(3); }},
    };
    for (const auto& c : cases) {
        Button b;
        c.set(b.button);
        EXPECT_EQ(b.host.changes, std::vector<std::string>{c.key}) << c.key;
        EXPECT_EQ(b.host.drawings, 0) << c.key;
    }
}

TEST(ButtonProperties, PictureSettersRedrawWhenThePictureShows) {
    Button b;
    b.button.SetPictureNormal(SolidPicture(4, 4, 9));
    b.host.drawings = 0;
    b.button.SetUseMaskColor(false);
    b.button.SetUseGreyscale(true);
    EXPECT_EQ(b.host.drawings, 2);
    b.button.SetMouseIsOver(true);
    b.button.SetPictureOver(SolidPicture(4, 4, 7));
    EXPECT_EQ(b.host.drawings, 3);
}

TEST(ButtonProperties, FontAttributesRelayoutWithoutNotifying) {
    Button b;
    b.button.SetFontBold(true);
    b.button.SetFontItalic(true);
    b.button.SetFontUnderline(true);
    b.button.SetFontName("Tahoma");
    EXPECT_TRUE(b.host.changes.empty());
    EXPECT_EQ(b.host.drawings, 4);
    const paint::FontInfo f = b.host.Font();
    EXPECT_TRUE(f.bold && f.italic && f.underline);
    EXPECT_EQ(f.name, "Tahoma");
}

TEST(ButtonProperties, FontSizeReadsBackRoundedHalvesToEven) {
    Button b;
    b.button.SetFontSize(9.5);
    EXPECT_EQ(b.button.FontSize(), 10);
    b.button.SetFontSize(10.5);
    EXPECT_EQ(b.button.FontSize(), 10);
    b.button.SetFontSize(8.25);
    EXPECT_EQ(b.button.FontSize(), 8);
    EXPECT_DOUBLE_EQ(b.host.Font().size, 8.25);
}

TEST(ButtonProperties, FontSizePast16BitsReadsAsTheNearestLimit) {
    Button b;
    b.button.SetFontSize(1e300);
    EXPECT_EQ(b.button.FontSize(), 32767);
    b.button.SetFontSize(-40000);
    EXPECT_EQ(b.button.FontSize(), -32768);
    b.button.SetFontSize(std::nan(""));
    EXPECT_EQ(b.button.FontSize(), 0);
    EXPECT_TRUE(std::isnan(b.host.Font().size));  // the font keeps what it was given
}

TEST(ButtonProperties, DesignModeMovesTheHoverColoursAlong) {
    Button b;
    b.host.userMode = false;
    b.button.SetBackColor(0x111111);
    b.button.SetForeColor(0x222222);
    EXPECT_EQ(b.button.BackOver(), 0x111111);
    EXPECT_EQ(b.button.ForeOver(), 0x222222);
    b.host.userMode = true;
    b.button.SetBackColor(0x333333);
    b.button.SetForeColor(0x444444);
    EXPECT_EQ(b.button.BackOver(), 0x111111);
    EXPECT_EQ(b.button.ForeOver(), 0x222222);
}

TEST(ButtonProperties, Type5MakesTheFontBoldOnlyInTheDesigner) {
    Button b;
    b.button.SetButtonType(5);
    EXPECT_FALSE(b.host.Font().bold);
    b.host.userMode = false;
    b.button.SetButtonType(5);
    EXPECT_TRUE(b.host.Font().bold);
}

TEST(ButtonProperties, ButtonTypeReshapesTheWindow) {
    Button b;
    EXPECT_FALSE(b.host.Shape().Contains(0, 0));
    b.button.SetButtonType(2);
    EXPECT_TRUE(b.host.Shape().Contains(0, 0));
    EXPECT_EQ(b.button.FocusRect(), (paint::Rect{4, 4, 96, 26}));
    b.button.SetButtonType(8);
    EXPECT_EQ(b.button.FocusRect(), (paint::Rect{3, 3, 97, 27}));
}

TEST(ButtonProperties, EnabledReachesTheHostingWindow) {
    Button b;
    b.button.SetEnabled(false);
    EXPECT_FALSE(b.host.WindowEnabled());
    b.button.SetEnabled(true);
    EXPECT_TRUE(b.host.WindowEnabled());
}

TEST(ButtonProperties, ImageIndexTakesAPictureFromTheHostsList) {
    Button b;
    const auto second = SolidPicture(5, 6, 2);
    b.host.images = {SolidPicture(2, 2, 1), second};
    b.button.SetImageIndex(2);
    EXPECT_EQ(b.button.PictureNormal(), second);
    EXPECT_EQ(b.host.changes, (std::vector<std::string>{"ImageIndex", "PICN"}));
    b.host.changes.clear();
    b.button.SetImageIndex(3);  // beyond the list
    EXPECT_EQ(b.button.PictureNormal(), second);
    EXPECT_EQ(b.button.ImageIndex(), 3);
    EXPECT_EQ(b.host.changes, std::vector<std::string>{"ImageIndex"});
}

TEST(ButtonProperties, ImageIndexWithoutAnImageListOnlyStores) {
    TestHost host;
    PellXPButton button(1, "", "Verdana");
    button.SetHost(&host);
    button.SetImageIndex(113);
    EXPECT_EQ(button.ImageIndex(), 113);
    EXPECT_EQ(button.PictureNormal(), nullptr);
}

TEST(ButtonDrawing, DrawsOnlyWhenStateOrCaptionChangedUnlessForced) {
    Button b;
    b.button.DrawButton(0, false);
    EXPECT_EQ(b.host.drawings, 0);
    b.button.DrawButton(2, false);
    EXPECT_EQ(b.host.drawings, 1);
    EXPECT_EQ(b.button.LastState(), 2);
    b.button.DrawButton(2, true);
    EXPECT_EQ(b.host.drawings, 2);
}

TEST(ButtonDrawing, NothingIsDrawnWhileDisabledOrFlat) {
    Button b;
    b.button.DisableRefresh();
    b.button.SetCaption("A");
    b.button.SetBackColor(0x010203);
    EXPECT_EQ(b.host.drawings, 0);
    b.button.Refresh();
    EXPECT_EQ(b.host.drawings, 1);
    EXPECT_TRUE(b.button.DrawingEnabled());
    b.button.Hide();
    b.button.DrawButton(2, true);
    EXPECT_EQ(b.host.drawings, 1);
    b.button.Show();
    b.button.Resize(100, 0);  // shapes the window, draws nothing
    EXPECT_EQ(b.host.drawings, 2);
    b.button.DrawButton(0, true);
    EXPECT_EQ(b.host.drawings, 2);
}

TEST(ButtonDrawing, ValueShowsOnlyWithCheckBoxBehaviour) {
    Button b;
    const paint::PixelBuffer before = b.host.SurfacePixels();
    b.button.SetValue(true);
    EXPECT_EQ(b.host.drawings, 0);
    b.button.DrawButton(0, true);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(b.host.Px(x, y), before.Pixel(x, y));
    b.button.SetCheckBoxBehaviour(true);
    EXPECT_EQ(b.button.LastState(), 2);  // drawn pressed
    b.button.SetValue(false);
    EXPECT_EQ(b.button.LastState(), 0);
}

TEST(ButtonDrawing, Type11CapturesTheParentUnderTheButton) {
    Button b;
    b.host.parent.emplace(300, 200, MakeRgb(9, 9, 9));
    b.host.parent->SetPixel(50, 40, MakeRgb(200, 0, 0));
    b.host.parentLeft = 50;
    b.host.parentTop = 40;
    b.button.SetCaption("");
    b.button.SetButtonType(11);
    b.button.Show();
    EXPECT_EQ(b.host.heights, (std::vector<int>{0, 30, 0, 30}));
    EXPECT_EQ(b.host.pumps, 2);
    EXPECT_EQ(b.host.Px(0, 0), MakeRgb(200, 0, 0));
    EXPECT_EQ(b.host.Px(50, 20), MakeRgb(9, 9, 9));
}

TEST(ButtonModel, FormApiStillWorks) {
    PellXPButton button(7, "Tray it!", "MS Sans Serif");
    EXPECT_EQ(button.FontName(), "MS Sans Serif");
    EXPECT_EQ(button.Id(), 7);
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    button.Click();
    button.SetEnabled(false);
    button.Click();
    EXPECT_EQ(clicks, 1);
    button.SetCaption("Other");
    EXPECT_EQ(button.Caption(), "Other");
    button.Resize(80, 20);  // no host: drawn on the stand-in's surface, without text
    button.Refresh();
    EXPECT_EQ(button.LastState(), 0);
}

}  // namespace
