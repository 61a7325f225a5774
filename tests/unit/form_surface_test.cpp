// The main window's own surface, which its skinned frame shows between its pictures: the back
// colour of the appearance in use and the maker label, with the frame's border over the label.
#include <gtest/gtest.h>

#include "app/form_surface.h"
#include "controls/paint/bmp.h"
#include "frame_test_host.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_display.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system.h"
#include "platform/memory/memory_platform.h"

namespace {

using paint::MakeRgb;
using platform::memory::Mode;

constexpr int kDpi = 96;
// The label's design place at 96 dpi: 6405, 4560, 735 x 255 twips.
constexpr int kLabelLeft = 427, kLabelTop = 304, kLabelWidth = 49, kLabelHeight = 17;
// The client area: 7335 x 4815 twips.
constexpr int kClientW = 489, kClientH = 321;

class FormSurface : public ::testing::Test, protected platform::memory::MemoryPlatform {
protected:
    FormSurface() : MemoryPlatform({Mode(800, 600, 8, 60), Mode(1024, 768, 32, 60)}) {
        display.SetCurrent(Mode(1024, 768, 32, 60));
        form.window.SetSize(kClientW, kClientH);
    }
    void SwitchTo8Bits() {
        display.SetCurrent(Mode(800, 600, 8, 60));
        form.SelectByBPP();
    }

    icons::IconMem icons{platform, desktop};
    app::FrmMain form{platform, icons};
    testing_support::FixedText text;
};

}  // namespace

TEST_F(FormSurface, BackColourAndTheLabelInItsColours) {
    form.SelectByBPP();
    paint::PixelBuffer pixels(kClientW, kClientH);
    paint::Surface s = pixels.View();
    app::PaintFormSurface(s, form, &text, kDpi);
    EXPECT_EQ(pixels.Pixel(200, 150), 0xE0E0E0u);
    ASSERT_EQ(text.draws.size(), 1u);
    const testing_support::TextCall& label = text.draws[0];
    EXPECT_EQ(label.text, "Morv 2005");
    EXPECT_EQ(label.color, 0xFF8080u);
    EXPECT_EQ(label.font, paint::FontInfo{});  // the form's MS Sans Serif 8
    // From the label's corner, as wide as the caption is: 9 fixed-width characters are wider
    // than the label, and none of them is cut.
    EXPECT_EQ(label.box, (paint::Rect{kLabelLeft, kLabelTop, kLabelLeft + 54, kLabelTop + 10}));
    EXPECT_EQ(pixels.Pixel(kLabelLeft + 53, kLabelTop + 5), 0xFF8080u);  // the last digit's glyph

    SwitchTo8Bits();
    text.draws.clear();
    app::PaintFormSurface(s, form, &text, kDpi);
    EXPECT_EQ(pixels.Pixel(200, 150), 0xC0C0C0u);
    EXPECT_EQ(pixels.Pixel(kLabelLeft + 20, kLabelTop + 14), 0xC0C0C0u);  // below the text
    ASSERT_EQ(text.draws.size(), 1u);
    EXPECT_EQ(text.draws[0].color, 0xFFFF00u);
}

TEST_F(FormSurface, LabelBackColourFillsItsRectangleOnly) {
    form.SelectByBPP();
    form.LblMorv.SetBackColor(0x123456);
    paint::PixelBuffer pixels(kClientW, kClientH);
    paint::Surface s = pixels.View();
    app::PaintFormSurface(s, form, nullptr, kDpi);  // no text renderer: no caption
    EXPECT_EQ(pixels.Pixel(kLabelLeft, kLabelTop), 0x123456u);
    EXPECT_EQ(pixels.Pixel(kLabelLeft + kLabelWidth - 1, kLabelTop + kLabelHeight - 1), 0x123456u);
    EXPECT_EQ(pixels.Pixel(kLabelLeft + kLabelWidth, kLabelTop), 0xE0E0E0u);
    EXPECT_EQ(pixels.Pixel(kLabelLeft, kLabelTop - 1), 0xE0E0E0u);
}

TEST_F(FormSurface, HiddenLabelIsNeitherDrawnNorClicked) {
    form.LblMorv.SetVisible(false);
    paint::PixelBuffer pixels(kClientW, kClientH);
    paint::Surface s = pixels.View();
    app::PaintFormSurface(s, form, &text, kDpi);
    EXPECT_TRUE(text.draws.empty());
    EXPECT_FALSE(app::OnMakerLabel(form, kLabelLeft + 5, kLabelTop + 5, kDpi));
}

TEST_F(FormSurface, LabelTakesThePressesOnItsRectangle) {
    EXPECT_TRUE(app::OnMakerLabel(form, kLabelLeft, kLabelTop, kDpi));
    EXPECT_TRUE(app::OnMakerLabel(form, kLabelLeft + kLabelWidth - 1, kLabelTop + kLabelHeight - 1, kDpi));
    EXPECT_FALSE(app::OnMakerLabel(form, kLabelLeft - 1, kLabelTop + 5, kDpi));
    EXPECT_FALSE(app::OnMakerLabel(form, kLabelLeft + kLabelWidth, kLabelTop + 5, kDpi));
    EXPECT_FALSE(app::OnMakerLabel(form, kLabelLeft + 5, kLabelTop + kLabelHeight, kDpi));
}

// The window's frame, drawn over the form's surface in either appearance: one drawing, in the
// form's colour, with the whole bottom border and its corner over the label.
TEST_F(FormSurface, FrameOverTheFormsSurfaceKeepsItsBorderWhole) {
    for (bool eightBits : {false, true}) {
        if (eightBits) SwitchTo8Bits(); else form.SelectByBPP();
        controls::SkinnedFrame& frame = eightBits ? static_cast<controls::SkinnedFrame&>(form.MorvXPF1)
                                                  : form.XPF1;
        const std::string set = eightBits ? "frame256" : "frame";
        testing_support::FrameTestHost host;
        host.beneath = [&](paint::Surface& s) { app::PaintFormSurface(s, form, &text, kDpi); };
        frame.SetHost(&host);
        frame.LoadPictures(testing_support::PictureFolder());
        frame.Resize(7335, 4815);
        frame.SetHost(nullptr);

        const paint::Rgb back = eightBits ? 0xC0C0C0 : 0xE0E0E0;
        EXPECT_EQ(host.Px(200, 150), back) << set;
        EXPECT_EQ(host.Px(kLabelLeft + 1, kLabelTop + 1), eightBits ? 0xFFFF00u : 0xFF8080u) << set;
        const auto bottom = paint::LoadBmpFile(std::string(DRAVIK_PICTURES_DIR) + "/" + set + "_bottom.bmp");
        const auto corner = paint::LoadBmpFile(std::string(DRAVIK_PICTURES_DIR) + "/" + set + "_bottom_right.bmp");
        ASSERT_TRUE(bottom && corner);
        for (int x = kLabelLeft; x < kClientW - 4; ++x)
            for (int y = 0; y < 4; ++y)
                ASSERT_EQ(host.Px(x, kClientH - 4 + y), bottom->pixels.Pixel(0, y)) << set << " " << x << "," << y;
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 4; ++y)
                EXPECT_EQ(host.Px(kClientW - 4 + x, kClientH - 4 + y), corner->pixels.Pixel(x, y)) << set;
    }
}
