// The main window's logic: the mode lists, the two presets and their switches, the look for the
// colour depth in effect, and the icon layouts after a switch or on request.
#include "app/form_main.h"

#include <cmath>

#include "modes/mode_label.h"
#include "settings/settings_store.h"

namespace app {

std::string LabelOfEntry(const std::string& entry) { return entry.empty() ? entry : entry.substr(1); }

std::string FrmMain::GetStringNow() {
    return modes::CanonicalLabel(modes::ReadModeInEffect(platform_.display));
}

void FrmMain::FillModeLists() {
    const modes::DisplayMode movie =
        modes::ParseLabel(settings::GetRegValueBtnMovie(platform_.registry));

    int monitorIndex = -1;
    const std::vector<modes::DisplayMode> offered = modes::OfferedModes(platform_.display);
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(offered.size()); ++i) {
        const modes::DisplayMode& mode = offered[static_cast<std::size_t>(i)];
        const std::string entry = modes::ListLabel(mode);
        CmbRes.AddItem(entry);
        CmbMovie.AddItem(entry);
        if (mode == modeAtStart_) monitorIndex = i;
        if (mode == movie) MovieSetting = i;
    }

    BtnMovie.SetCaption(settings::GetRegValueBtnMovie(platform_.registry));
    CmdMovie.SetCaption(BtnMovie.Caption());

    if (monitorIndex != -1) CmbRes.SetListIndex(monitorIndex);
    CmbMovie.SetListIndex(MovieSetting);  // fails, and is skipped, on an empty list

    const std::string shown = CmbRes.Text();
    if (monitorIndex == -1) {
        BtnMon.SetCaption(kInvalidResolution);
        BtnMon.SetEnabled(false);
        platform_.ui.ShowMessage(NotListedMessage(GetStringNow()), kAppTitle);
    } else if (!shown.empty()) {
        BtnMon.SetCaption(LabelOfEntry(shown));
    }
    CmdMon.SetCaption(BtnMon.Caption());
}

bool FrmMain::FullColourNow() { return modes::ReadModeInEffect(platform_.display).bitsPerPixel > 8; }

bool FrmMain::ShownInLook(const ControlModel& control, bool fullColour) const {
    using Look = std::initializer_list<const ControlModel*>;
    for (const ControlModel* big : Look{&XPF1, &BtnMon, &BtnMovie, &BtnSettings, &BtnTray})
        if (&control == big) return fullColour;
    for (const ControlModel* small : Look{&MorvXPF1, &CmdMon, &CmdMovie, &CmdSettings, &CmdTray})
        if (&control == small) return !fullColour;
    return true;
}

void FrmMain::SelectByBPP() {
    const bool fullColour = FullColourNow();

    XPF1.SetVisible(fullColour);
    MorvXPF1.SetVisible(!fullColour);
    bBPP256 = fullColour ? 0 : -1;

    const Color back = fullColour ? kBackFullColour : kBack256;
    window.SetBackColor(back);
    for (ControlModel* c : std::initializer_list<ControlModel*>{
             &Frame1, &Frame2, &Frame3, &ChkTraystart, &ChkTraySysStart, &LblMorv})
        c->SetBackColor(back);
    LblMorv.SetForeColor(fullColour ? kLblMorvFullColour : kLblMorv256);

    const std::pair<ControlModel*, ControlModel*> pairs[] = {
        {&BtnMon, &CmdMon}, {&BtnMovie, &CmdMovie}, {&BtnSettings, &CmdSettings},
        {&BtnTray, &CmdTray}};
    for (auto [big, small] : pairs) {
        big->SetVisible(fullColour);
        big->SetTabStop(fullColour);
        small->SetVisible(!fullColour);
        if (small != &CmdTray) small->SetTabStop(!fullColour);
    }
    CmdTray.SetTabStop(!fullColour);

    window.Refresh();
    BtnMon.Refresh();
    BtnMovie.Refresh();
    BtnSettings.Refresh();
    BtnTray.Refresh();

    const platform::ScreenSize screen = platform_.display.GetScreenSize();
    const int left = static_cast<int>(std::floor((screen.width - window.Width()) / 2.0));
    const int top = static_cast<int>(std::floor((screen.height - window.Height()) / 2.0));
    window.Move(left, top);
}

void FrmMain::CmbRes_Click() {
    BtnMon.SetEnabled(true);
    BtnMon.SetCaption(LabelOfEntry(CmbRes.Text()));
    CmdMon.SetCaption(BtnMon.Caption());
}

void FrmMain::CmbMovie_Click() {
    BtnMovie.SetCaption(LabelOfEntry(CmbMovie.Text()));
    CmdMovie.SetCaption(BtnMovie.Caption());
}

void FrmMain::SwitchToPreset(const ComboBox& list, const controls::PellXPButton& button) {
    if (GetStringNow() == button.Caption()) return;
    platform_.display.ChangeSettings(list.ListIndex());
    AfterSwitch();
}

void FrmMain::AfterSwitch() {
    ++switches_;  // every switch comes here, whatever its source: a /run's switch back needs it
    SelectByBPP();
    if (iconMem_.IconLayoutExists())
        iconMem_.RestoreIconLayout();
    else
        iconMem_.SaveIconLayout();
}

void FrmMain::BtnMon_Click() {
    OneAtATime([this] { SwitchToPreset(CmbRes, BtnMon); });
}

void FrmMain::BtnMovie_Click() {
    OneAtATime([this] { SwitchToPreset(CmbMovie, BtnMovie); });
}

std::int32_t FrmMain::ToggleTarget() {
    const modes::DisplayMode movie = modes::ParseLabel(BtnMovie.Caption());
    const modes::DisplayMode now = modes::ReadModeInEffect(platform_.display);
    return now == movie ? CmbRes.ListIndex() : CmbMovie.ListIndex();
}

void FrmMain::SysTrayDoubleClick() {
    OneAtATime([this] { ToggleFromTray(); });
}

void FrmMain::ToggleFromTray() {
    platform_.display.ChangeSettings(ToggleTarget());
    LooseMenu();
    MakeMenu();
    ChangeToolTip();
    AfterSwitch();
}

std::string FrmMain::ListEntryLabel(std::int32_t index) const {
    const std::vector<std::string>& entries = CmbRes.Items();
    if (index < 0 || index >= static_cast<std::int32_t>(entries.size())) return {};
    return LabelOfEntry(entries[static_cast<std::size_t>(index)]);
}

void FrmMain::CmdIconSave_Click() {
    OneAtATime([this] { iconMem_.SaveIconLayout(); });
}

void FrmMain::CmdIconRest_Click() {
    OneAtATime([this] { RestoreOrSayNothingToRestore(); });
}

void FrmMain::RestoreOrSayNothingToRestore() {
    if (iconMem_.IconLayoutExists())
        iconMem_.RestoreIconLayout();
    else
        platform_.ui.ShowMessage(kNothingToRestore, kAppTitle);
}

}  // namespace app
