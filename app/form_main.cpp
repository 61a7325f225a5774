#include "app/form_main.h"

#include <cmath>

#include "app/control_ids.h"
#include "app/on_top.h"
#include "modes/mode_label.h"
#include "settings/settings_store.h"

namespace app {

std::string NotListedMessage(const std::string& labelNow) {
    return "Your present resolution (" + labelNow +
           ") is not listed as valid by your video card. You will have to change back to this "
           "resolution manually if you change it with Dravik. This might be solved by upgrading "
           "your video driver. If not, Dravik will unfortunatly not be of much use for You. "
           "That is, if you wouldn't want to use another resolution as default.";
}

std::string DisplaySettingsCommandLine(const std::string& systemFolder) {
    std::string exe = systemFolder + "\\rundll32.exe";
    if (exe.find_first_of(" \t") != std::string::npos) exe = "\"" + exe + "\"";
    return exe + " " + kDisplaySettingsArguments;
}

FrmMain::FrmMain(platform::Platform& platform, icons::IconLayouts& iconMem)
    : BtnTray(ids::kBtnTray, "Tray it!", "Verdana"),
      BtnSettings(ids::kBtnSettings, "Monitor Settings", "Verdana"),
      BtnMon(ids::kBtnMon, "Not set", "MS Sans Serif"),
      BtnMovie(ids::kBtnMovie, "Not set", "MS Sans Serif"),
      CmdTray(ids::kCmdTray, "Tray it!"),
      CmdSettings(ids::kCmdSettings, "Monitor Settings"),
      CmdMon(ids::kCmdMon, ""),
      CmdMovie(ids::kCmdMovie, ""),
      ChkTraySysStart(ids::kChkTraySysStart, "Launch Dravik at system start"),
      ChkTraystart(ids::kChkTraystart, "Start in systray"),
      Frame3(ids::kFrame3, "Startup settings:"),
      MorvXPF1(ids::kMorvXPF1),
      CmbMovie(ids::kCmbMovie),
      Frame2(ids::kFrame2, "Assign these values to the movie button:"),
      CmbRes(ids::kCmbRes),
      Frame1(ids::kFrame1, "Assign these values to the monitor button:"),
      XPF1(ids::kXPF1),
      CmdIconRest(ids::kCmdIconRest, "Restore Desktop Icons", "Verdana"),
      CmdIconSave(ids::kCmdIconSave, "Save Desktop Icons", "Verdana"),
      LblMorv(ids::kLblMorv, "Morv 2005"),
      window(kAppTitle),
      platform_(platform),
      iconMem_(iconMem) {
    LblMorv.SetForeColor(kLblMorvFullColour);

    BtnMon.onClick = CmdMon.onClick = [this] { BtnMon_Click(); };
    BtnMovie.onClick = CmdMovie.onClick = [this] { BtnMovie_Click(); };
    BtnSettings.onClick = CmdSettings.onClick = [this] { BtnSettings_Click(); };
    BtnTray.onClick = CmdTray.onClick = [this] { BtnTray_Click(); };
    CmdIconSave.onClick = [this] { CmdIconSave_Click(); };
    CmdIconRest.onClick = [this] { CmdIconRest_Click(); };
    CmbRes.onClick = [this] { CmbRes_Click(); };
    CmbMovie.onClick = [this] { CmbMovie_Click(); };
}

std::vector<ControlModel*> FrmMain::Controls() {
    return {&BtnTray,    &BtnSettings, &BtnMon,   &BtnMovie,        &CmdTray,
            &CmdSettings, &CmdMon,     &CmdMovie, &ChkTraySysStart, &ChkTraystart,
            &Frame3,      &MorvXPF1,   &CmbMovie, &Frame2,          &CmbRes,
            &Frame1,      &XPF1,       &CmdIconRest, &CmdIconSave,  &LblMorv};
}

FrmMain::LoadResult FrmMain::Form_Load() {
    if (platform_.system.AnotherInstanceRunning()) {
        platform_.ui.ShowMessage(kAlreadyRunning, kAppTitle);
        return LoadResult::AlreadyRunning;
    }
    settings::CheckRegistry(platform_.registry);
    modeAtStart_ = modes::ReadModeInEffect(platform_.display);

    const std::string iconFolder = platform_.system.AppPath() + "\\Iconset\\";
    if (!platform_.system.FolderExists(iconFolder)) platform_.system.CreateFolder(iconFolder);

    SelectByBPP();
    iconMem_.SaveIconLayout();
    FillModeLists();

    ChkTraySysStart.SetValue(settings::GetRegValueStart(platform_.registry) ? 1 : 0);
    if (settings::TrayTextIsOn(settings::GetRegValueTray(platform_.registry))) {
        ChkTraystart.SetValue(1);
        MakeMenu();
    } else {
        ChkTraystart.SetValue(0);
    }
    bool onTop = true;
    SetOnTop(platform_.ui, hwnd_, onTop);
    return LoadResult::Loaded;
}

void FrmMain::Form_Unload() {
    settings::EndState state;
    state.trayStartValue = ChkTraystart.Value();
    state.sysStartValue = ChkTraySysStart.Value();
    state.movieCaption = BtnMovie.Caption();
    settings::SetRegEnd(platform_.registry, platform_.system, state);
}

std::string FrmMain::GetStringNow() {
    return modes::CanonicalLabel(modes::ReadModeInEffect(platform_.display));
}

void FrmMain::FillModeLists() {
    const modes::DisplayMode movie =
        modes::ParseLabel(settings::GetRegValueBtnMovie(platform_.registry));

    int monitorIndex = -1;
    // One record for the whole enumeration, as the platform call fills it in place.
    platform::DevModeFields record;
    for (std::int32_t i = 0;; ++i) {
        if (static_cast<std::int16_t>(platform_.display.EnumSettings(i, record)) == 0) break;
        const modes::DisplayMode mode = modes::FromDevMode(record);
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
        BtnMon.SetCaption(shown.substr(1));
    }
    CmdMon.SetCaption(BtnMon.Caption());
}

void FrmMain::SelectByBPP() {
    const bool fullColour = modes::ReadModeInEffect(platform_.display).bitsPerPixel > 8;

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

void FrmMain::DoDrag() { platform_.ui.DragByCaption(hwnd_); }

void FrmMain::MakeMenu() { window.SetVisible(false); }

void FrmMain::LooseMenu() { window.SetVisible(true); }

void FrmMain::CmbRes_Click() {
    BtnMon.SetEnabled(true);
    const std::string entry = CmbRes.Text();
    BtnMon.SetCaption(entry.empty() ? entry : entry.substr(1));
    CmdMon.SetCaption(BtnMon.Caption());
}

void FrmMain::CmbMovie_Click() {
    const std::string entry = CmbMovie.Text();
    BtnMovie.SetCaption(entry.empty() ? entry : entry.substr(1));
    CmdMovie.SetCaption(BtnMovie.Caption());
}

void FrmMain::SwitchToPreset(const ComboBox& list, const controls::PellXPButton& button) {
    if (GetStringNow() == button.Caption()) return;
    platform_.display.ChangeSettings(list.ListIndex());
    AfterSwitch();
}

void FrmMain::AfterSwitch() {
    SelectByBPP();
    if (iconMem_.IconLayoutExists())
        iconMem_.RestoreIconLayout();
    else
        iconMem_.SaveIconLayout();
}

void FrmMain::BtnMon_Click() { SwitchToPreset(CmbRes, BtnMon); }

void FrmMain::BtnMovie_Click() { SwitchToPreset(CmbMovie, BtnMovie); }

void FrmMain::OpenDisplaySettings() {
    platform_.system.StartProcess(DisplaySettingsCommandLine(platform_.system.SystemFolder()));
}

void FrmMain::BtnSettings_Click() { OpenDisplaySettings(); }

void FrmMain::BtnTray_Click() { MakeMenu(); }

void FrmMain::CmdIconSave_Click() { iconMem_.SaveIconLayout(); }

void FrmMain::CmdIconRest_Click() {
    if (iconMem_.IconLayoutExists())
        iconMem_.RestoreIconLayout();
    else
        platform_.ui.ShowMessage(kNothingToRestore, kAppTitle);
}

void FrmMain::SysTrayDoubleClick() {
    const modes::DisplayMode movie = modes::ParseLabel(BtnMovie.Caption());
    const modes::DisplayMode now = modes::ReadModeInEffect(platform_.display);
    platform_.display.ChangeSettings(now == movie ? CmbRes.ListIndex() : CmbMovie.ListIndex());
    LooseMenu();
    MakeMenu();
    AfterSwitch();
}

}  // namespace app
