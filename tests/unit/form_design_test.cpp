#include <gtest/gtest.h>

#include "app/form_main.h"
#include "controls/paint/bmp.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_display.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system.h"
#include "platform/memory/memory_platform.h"

namespace {

paint::PicturePtr FromSourceTree(std::string_view name) {
    return paint::LoadBmpFile(std::string(DRAVIK_PICTURES_DIR) + "/" + std::string(name) + ".bmp");
}

class FormDesign : public ::testing::Test, protected platform::memory::MemoryPlatform {
protected:
    // Each skinned button reads its stored design, as its window loads it.
    void LoadDesign(const app::PictureSource& pictures) {
        for (controls::PellXPButton* b : {&form.BtnTray, &form.BtnSettings, &form.BtnMon,
                                          &form.BtnMovie, &form.CmdIconRest, &form.CmdIconSave})
            b->ReadProperties(app::ButtonDesign(b->Id(), pictures));
        for (controls::xpcmdbutton* b : {&form.CmdTray, &form.CmdSettings, &form.CmdMon, &form.CmdMovie})
            b->ReadProperties(app::CmdButtonDesign(b->Id()));
    }

    icons::IconMem icons{platform, desktop};
    app::FrmMain form{platform, icons};
};

}  // namespace

TEST_F(FormDesign, BigButtonsShowTheirPictureAboveTheCaptionInTheirOwnColours) {
    LoadDesign(FromSourceTree);
    for (controls::PellXPButton* b : {&form.BtnTray, &form.BtnSettings, &form.BtnMon, &form.BtnMovie}) {
        EXPECT_EQ(b->ButtonType(), 3) << b->Id();
        EXPECT_EQ(b->ColorScheme(), 2) << b->Id();
        EXPECT_EQ(b->PicturePosition(), 2) << b->Id();
        ASSERT_NE(b->PictureNormal(), nullptr) << b->Id();
        EXPECT_EQ(b->PictureNormal()->Width(), 32);
        EXPECT_EQ(b->PictureNormal()->Height(), 32);
        EXPECT_EQ(b->BackColor(), 0xFFFFFF);
        EXPECT_EQ(b->BackOver(), 0xFFFFFF);
        EXPECT_EQ(b->ForeColor(), 0x000000);
        EXPECT_EQ(b->ForeOver(), 0xFF0000);
        EXPECT_EQ(b->MaskColor(), 0xC0C0C0);
        EXPECT_TRUE(b->UseMaskColor());
    }
    EXPECT_EQ(form.BtnTray.Caption(), "Tray it!");
    EXPECT_EQ(form.BtnMon.Caption(), "Not set");
    EXPECT_EQ(form.BtnSettings.FontName(), "Verdana");
    EXPECT_EQ(form.BtnMovie.FontName(), "MS Sans Serif");
    EXPECT_NE(form.BtnMon.PictureNormal(), form.BtnMovie.PictureNormal());
}

TEST_F(FormDesign, IconButtonsUseTheSystemPaletteAndNoPicture) {
    LoadDesign(FromSourceTree);
    for (controls::PellXPButton* b : {&form.CmdIconRest, &form.CmdIconSave}) {
        EXPECT_EQ(b->ButtonType(), 3) << b->Id();
        EXPECT_EQ(b->ColorScheme(), 1) << b->Id();
        EXPECT_EQ(b->PicturePosition(), 0) << b->Id();
        EXPECT_EQ(b->PictureNormal(), nullptr) << b->Id();
        EXPECT_EQ(b->FontName(), "Verdana");
    }
    EXPECT_EQ(form.CmdIconRest.Caption(), "Restore Desktop Icons");
    EXPECT_EQ(form.CmdIconSave.Caption(), "Save Desktop Icons");
}

TEST_F(FormDesign, SmallButtonsTakeTheirDesignCaptions) {
    for (controls::xpcmdbutton* b : {&form.CmdTray, &form.CmdSettings, &form.CmdMon, &form.CmdMovie})
        b->SetCaption("before loading");
    LoadDesign(FromSourceTree);
    EXPECT_EQ(form.CmdTray.Caption(), "Tray it!");
    EXPECT_EQ(form.CmdSettings.Caption(), "Monitor Settings");
    // No design caption: not the control's name either.
    EXPECT_EQ(form.CmdMon.Caption(), "");
    EXPECT_EQ(form.CmdMovie.Caption(), "");
    EXPECT_TRUE(form.CmdMovie.Enabled());
}

TEST_F(FormDesign, MissingPicturesLeaveTheButtonsWithout) {
    LoadDesign([](std::string_view) { return paint::PicturePtr(); });
    EXPECT_EQ(form.BtnMovie.PictureNormal(), nullptr);
    EXPECT_EQ(form.BtnMovie.PicturePosition(), 2);
}

TEST_F(FormDesign, ClicksStillReachTheFormAfterLoading) {
    LoadDesign(FromSourceTree);
    form.BtnSettings.Click();
    ASSERT_EQ(system.started.size(), 1u);
}
