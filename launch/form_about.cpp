#include "launch/form_about.h"

#include "controls/form/button_design.h"
#include "launch/about_design.h"
#include "launch/deployment.h"
#include "launch/html.h"
#include "platform/decimal.h"

namespace launch {

std::string VersionText(const platform::Version& version) {
    return "Version " + platform::Decimal(version.major) + "." +
           platform::Decimal(version.minor) + "." + platform::Decimal(version.revision);
}

FrmAbout::FrmAbout(platform::Platform& platform, AboutOwner& owner)
    : LblTitle(about::kLblTitle, "Morv Dravik"),
      LbVersion(about::kLbVersion, ""),
      Label2(about::kLabel2, "Developed by:"),
      LbDevelover(about::kLbDevelover, deployment::kDeveloper),
      LbEmail(about::kLbEmail, std::string("E-mail : ") + deployment::kContact),
      CmdDonate(about::kCmdDonate, "Donate", "MS Sans Serif"),
      CmdOk(about::kCmdOk, "Ok", "MS Sans Serif"),
      Frame1(about::kFrame1, ""),
      LblText(about::kLblText,
              "Donations are more than welcome! If you don't feel like it, that's fine too. "
              "More information and help at: "),
      CmdUrl(about::kCmdUrl, deployment::kHomeCaption, "MS Sans Serif"),
      XPFAbout(about::kXPFAbout),
      XPFAbout256(about::kXPFAbout256),
      window("Morv Dravik"),
      platform_(platform),
      owner_(owner) {
    LblTitle.SetForeColor(about::kDarkRed);
    for (controls::Label* label : {&LbVersion, &Label2, &LbDevelover, &LbEmail})
        label->SetForeColor(about::kLightBlue);
    LblText.SetBackColor(about::kTextBack);
    window.SetVisible(false);  // shown by Show, after the load

    CmdOk.onClick = [this] { CmdOk_Click(); };
    CmdUrl.onClick = [this] { CmdUrl_Click(); };
    CmdDonate.onClick = [this] { CmdDonate_Click(); };
}

std::vector<controls::ControlModel*> FrmAbout::Controls() {
    return {&LblTitle, &LbVersion, &Label2, &LbDevelover, &LbEmail, &CmdDonate, &CmdOk,
            &Frame1,   &LblText,   &CmdUrl, &XPFAbout,    &XPFAbout256};
}

controls::PropertyBag FrmAbout::ButtonDesign(int id) {
    switch (id) {
    case about::kCmdDonate: return controls::XPButtonBag("Donate", "MS Sans Serif", 2, false, nullptr);
    case about::kCmdOk: return controls::XPButtonBag("Ok", "MS Sans Serif", 1, false, nullptr);
    case about::kCmdUrl:
        return controls::XPButtonBag(deployment::kHomeCaption, "MS Sans Serif", 1, false, nullptr);
    default: return {};
    }
}

void FrmAbout::Form_Load() {
    loaded_ = true;
    platform_.ui.SetTopMost(Window(), true);
    const bool colours256 = owner_.MainBPP256();
    XPFAbout.SetVisible(!colours256);
    XPFAbout256.SetVisible(colours256);
    bMain = owner_.MainVisible();
    owner_.SetMainEnabled(false);
    LbVersion.SetCaption(VersionText(platform_.system.AppVersion()));
}

void FrmAbout::shut() {
    owner_.SetMainEnabled(true);
    if (loaded_) {
        loaded_ = false;
        window.SetVisible(false);
        if (host_) host_->Unload();
        owner_.AboutUnloaded();  // after this the owner may let go of this object
    }
    if (bMain) owner_.SetMainVisible(true);
}

void FrmAbout::DoDrag() { platform_.ui.DragByCaption(Window()); }

platform::WindowHandle FrmAbout::Window() const { return host_ ? host_->Window() : 0; }

void FrmAbout::FollowLink(void (*open)(platform::Shell&)) {
    open(platform_.shell);
    if (bMain) owner_.MainMakeMenu();
    bMain = false;
    shut();
}

void FrmAbout::CmdUrl_Click() { FollowLink(OpenHomePage); }

void FrmAbout::CmdDonate_Click() { FollowLink(OpenDonationPage); }

}  // namespace launch
