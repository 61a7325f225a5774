// The main window's logic: start-up, the settings at its end, and one thing at a time.
#include "app/form_main.h"

#include "app/control_ids.h"
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

namespace {

// The host until a window hands itself over: no window, nothing to make, nothing to end.
class NoWindowHost final : public MainWindowHost {
public:
    platform::WindowHandle Window() const override { return 0; }
    std::unique_ptr<tray::SysTrayHost> MakeTrayHost(tray::frmSysTray&) override { return nullptr; }
    std::unique_ptr<launch::AboutHost> MakeAboutHost(launch::FrmAbout&) override { return nullptr; }
    void EndProgram() override {}
};

NoWindowHost noWindowHost;

}  // namespace

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
      iconMem_(iconMem),
      host_(&noWindowHost) {
    LblMorv.SetForeColor(kLblMorvFullColour);

    BtnMon.onClick = CmdMon.onClick = [this] { BtnMon_Click(); };
    BtnMovie.onClick = CmdMovie.onClick = [this] { BtnMovie_Click(); };
    BtnSettings.onClick = CmdSettings.onClick = [this] { BtnSettings_Click(); };
    BtnTray.onClick = CmdTray.onClick = [this] { BtnTray_Click(); };
    CmdIconSave.onClick = [this] { CmdIconSave_Click(); };
    CmdIconRest.onClick = [this] { CmdIconRest_Click(); };
    CmbRes.onClick = [this] { CmbRes_Click(); };
    CmbMovie.onClick = [this] { CmbMovie_Click(); };
    LblMorv.onClick = [this] { LblMorv_Click(); };
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
    startUpSavePending_ = true;
    FillModeLists();

    ChkTraySysStart.SetValue(settings::GetRegValueStart(platform_.registry) ? 1 : 0);
    if (settings::TrayTextIsOn(settings::GetRegValueTray(platform_.registry))) {
        ChkTraystart.SetValue(1);
        MakeMenu();
    } else {
        ChkTraystart.SetValue(0);
    }
    platform_.ui.SetTopMost(host_->Window(), true);
    loaded_ = true;
    return LoadResult::Loaded;
}

void FrmMain::Form_Unload() {
    ended_ = true;
    StoreSettings();
}

void FrmMain::Form_EndSession() {
    if (ended_) return;
    ended_ = true;
    UnloadTray();
    StoreSettings();
}

void FrmMain::StoreSettings() {
    settings::EndState state;
    state.trayStartValue = ChkTraystart.Value();
    state.sysStartValue = ChkTraySysStart.Value();
    state.movieCaption = BtnMovie.Caption();
    settings::SetRegEnd(platform_.registry, platform_.system, state);
}

void FrmMain::SaveStartUpLayout() {
    OneAtATime([] {});
}

void FrmMain::RunPendingStartUpSave() {
    if (!startUpSavePending_) return;
    startUpSavePending_ = false;
    iconMem_.SaveIconLayout();
}

void FrmMain::OneAtATime(std::function<void()> work) {
    if (busy_) {
        waiting_.push_back(std::move(work));
        return;
    }
    busy_ = true;
    RunPendingStartUpSave();
    work();
    // What arrived meanwhile, in its order; nothing more once the program has ended.
    while (!waiting_.empty() && !ended_) {
        const std::function<void()> next = std::move(waiting_.front());
        waiting_.pop_front();
        next();
    }
    waiting_.clear();
    busy_ = false;
}

void FrmMain::DoDrag() { platform_.ui.DragByCaption(host_->Window()); }

void FrmMain::OpenDisplaySettings() {
    platform_.system.StartProcess(DisplaySettingsCommandLine(platform_.system.SystemFolder()));
}

void FrmMain::BtnSettings_Click() { OpenDisplaySettings(); }

}  // namespace app
