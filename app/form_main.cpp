#include "app/form_main.h"

#include <cmath>

#include "app/control_ids.h"
#include "launch/html.h"
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
    platform_.ui.SetTopMost(hwnd_, true);
    loaded_ = true;
    return LoadResult::Loaded;
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
        BtnMon.SetCaption(shown.substr(1));
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

void FrmMain::DoDrag() { platform_.ui.DragByCaption(hwnd_); }

void FrmMain::MakeMenu() {
    // A second icon beside a forgotten one would answer with the same menu: there is one.
    UnloadTray();
    m_frmSysTray = std::make_shared<tray::frmSysTray>(platform_.shell, makeTrayHost);
    tray::frmSysTray& tray = *m_frmSysTray;
    tray.SysTrayMouseDown = [this](std::int32_t button) { m_frmSysTray_SysTrayMouseDown(button); };
    tray.SysTrayDoubleClick = [this](std::int32_t button) {
        m_frmSysTray_SysTrayDoubleClick(button);
    };
    tray.MenuClick = [this](std::int32_t index, const std::string& key) {
        m_frmSysTray_MenuClick(index, key);
    };
    // A notification area that refused the icon and then, created anew, takes it: the window
    // stayed up only for want of the icon, and goes now.
    tray.IconShownLate = [this] {
        if (waitingForTrayIcon_) window.SetVisible(false);
        waitingForTrayIcon_ = false;
    };

    tray.AddMenuItem("Open Dravik", "open", true);  // loads the component: the icon shows
    tray.AddMenuItem("-", "", false);
    tray.AddMenuItem(BtnMon.Caption(), "monitor", false);
    tray.AddMenuItem(BtnMovie.Caption(), "movie", false);
    tray.AddMenuItem("Monitor settings", "screensettings", false);
    tray.AddMenuItem("-", "", false);
    tray.AddMenuItem("Save Desktop Icons", "save", false);
    tray.AddMenuItem("Restore Desktop Icons", "restore", false);
    tray.AddMenuItem("-", "", false);
    PowerDVDPath();
    WinDVDPath();
    VLCPath();
    if (bDVD) tray.AddMenuItem("Start PowerDVD", "PDVD", false);
    if (bWinDVD) tray.AddMenuItem("Start WinDVD", "WinDVD", false);
    if (bVLC) tray.AddMenuItem("Start VLC", "VLC", false);
    if (bDVD || bWinDVD || bVLC) tray.AddMenuItem("-", "", false);
    tray.AddMenuItem("About", "about", false);
    tray.AddMenuItem("Donate", "donate", false);
    tray.AddMenuItem("-", "", false);
    tray.AddMenuItem("Exit", "close", false);
    ChangeToolTip();
    // Without an icon (a notification area that refuses it, or none yet at log-on) a hidden
    // window could be reached no more: it stays up until the area takes the icon.
    waitingForTrayIcon_ = !tray.IconShown();
    if (!waitingForTrayIcon_) window.SetVisible(false);
}

void FrmMain::LooseMenu() {
    if (frmAbout_)
        frmAbout_->shut();
    else
        window.SetEnabled(true);  // what shutting an about window that is not open comes to
    window.SetVisible(true);
    platform_.shell.SetForegroundWindow(hwnd_);
    UnloadTray();
}

void FrmMain::UnloadTray() {
    waitingForTrayIcon_ = false;
    if (!m_frmSysTray) return;
    m_frmSysTray->Unload();
    m_frmSysTray.reset();
}

void FrmMain::ChangeToolTip() {
    if (m_frmSysTray) m_frmSysTray->SetToolTip(GetStringNow() + kTrayTipSuffix);
}

std::string FrmMain::PlayerPath(const launch::Player& player, std::int16_t& flag) {
    flag = 0;
    bool installed = false;
    std::string path = launch::PlayerPath(platform_.registry32, player, installed);
    flag = installed ? -1 : 0;
    return path;
}

std::string FrmMain::PowerDVDPath() { return PlayerPath(launch::kPowerDVD, bDVD); }
std::string FrmMain::WinDVDPath() { return PlayerPath(launch::kWinDVD, bWinDVD); }
std::string FrmMain::VLCPath() { return PlayerPath(launch::kVLC, bVLC); }

void FrmMain::StartPowerDVD() { launch::StartPlayer(platform_.shell, PowerDVDPath(), launch::kPowerDVD); }
void FrmMain::StartWinDVD() { launch::StartPlayer(platform_.shell, WinDVDPath(), launch::kWinDVD); }
void FrmMain::StartVLC() { launch::StartPlayer(platform_.shell, VLCPath(), launch::kVLC); }

void FrmMain::ShowAbout() {
    if (!frmAbout_) {
        unloadedAbout_.reset();
        frmAbout_ = std::make_unique<launch::FrmAbout>(platform_, aboutSide_);
        if (makeAboutHost) frmAbout_->SetHost(makeAboutHost(*frmAbout_));
        frmAbout_->Form_Load();
    }
    frmAbout_->Show();
}

void FrmMain::AboutSide::AboutUnloaded() {
    form_.unloadedAbout_ = std::move(form_.frmAbout_);
}

void FrmMain::LblMorv_Click() {
    ShowAbout();
    window.SetVisible(false);
}

void FrmMain::m_frmSysTray_SysTrayMouseDown(std::int32_t button) {
    if (button == 2 && m_frmSysTray) m_frmSysTray->ShowMenu();
}

void FrmMain::m_frmSysTray_SysTrayDoubleClick(std::int32_t) { SysTrayDoubleClick(); }

void FrmMain::m_frmSysTray_MenuClick(std::int32_t, const std::string& key) {
    OneAtATime([this, key] { MenuCommand(key); });
}

void FrmMain::MenuCommand(const std::string& key) {
    if (key == "open") {
        LooseMenu();
    } else if (key == "close") {
        UnloadTray();
        StoreSettings();
        ended_ = true;
        if (endProgram) endProgram();
    } else if (key == "movie") {
        SwitchToPreset(CmbMovie, BtnMovie);
        ChangeToolTip();
    } else if (key == "monitor") {
        SwitchToPreset(CmbRes, BtnMon);
        ChangeToolTip();
    } else if (key == "about") {
        ShowAbout();
    } else if (key == "screensettings") {
        OpenDisplaySettings();
    } else if (key == "PDVD") {
        StartPowerDVD();
    } else if (key == "WinDVD") {
        StartWinDVD();
    } else if (key == "VLC") {
        StartVLC();
    } else if (key == "donate") {
        launch::OpenDonationPage(platform_.shell);
    } else if (key == "save") {
        iconMem_.SaveIconLayout();
    } else if (key == "restore") {
        RestoreOrSayNothingToRestore();
    }
}

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

void FrmMain::BtnMon_Click() {
    OneAtATime([this] { SwitchToPreset(CmbRes, BtnMon); });
}

void FrmMain::BtnMovie_Click() {
    OneAtATime([this] { SwitchToPreset(CmbMovie, BtnMovie); });
}

void FrmMain::OpenDisplaySettings() {
    platform_.system.StartProcess(DisplaySettingsCommandLine(platform_.system.SystemFolder()));
}

void FrmMain::BtnSettings_Click() { OpenDisplaySettings(); }

void FrmMain::BtnTray_Click() { MakeMenu(); }

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

// A command from the command line takes the road of the button, tray command or double click
// it stands for, after-care included. Whether it worked is what the display says afterwards:
// the platform's own answer to a switch is not looked at anywhere else either, and a refused
// switch leaves the old mode in effect.
std::optional<int> FrmMain::RunCommand(const Command& command, std::string& output) {
    if (busy_) return std::nullopt;
    int code = kExitBadArguments;
    OneAtATime([&] { code = RunCommandNow(command, output); });
    return code;
}

int FrmMain::RunCommandNow(const Command& command, std::string& output) {
    const auto modeInEffectIs = [this](const std::string& label) {
        return GetStringNow() == label ? kExitDone : kExitNotSwitched;
    };
    switch (command.verb) {
    case Verb::Movie:
    case Verb::Monitor: {
        const bool movie = command.verb == Verb::Movie;
        if (m_frmSysTray)
            MenuCommand(movie ? "movie" : "monitor");
        else
            movie ? SwitchToPreset(CmbMovie, BtnMovie) : SwitchToPreset(CmbRes, BtnMon);
        return modeInEffectIs((movie ? BtnMovie : BtnMon).Caption());
    }
    case Verb::Toggle: {
        const std::int32_t target = ToggleTarget();
        const std::string label = ListEntryLabel(target);
        // In the notification area this is the double click itself; with the window up there is
        // no icon to double-click, and the window stays where it is.
        if (m_frmSysTray) {
            ToggleFromTray();
        } else {
            platform_.display.ChangeSettings(target);
            AfterSwitch();
        }
        return modeInEffectIs(label);
    }
    case Verb::Mode: {
        const std::vector<std::string>& entries = CmbRes.Items();
        std::int32_t index = -1;
        for (std::size_t i = 0; i < entries.size() && index < 0; ++i)
            if (entries[i] == " " + command.label) index = static_cast<std::int32_t>(i);
        if (index < 0) return kExitNotSwitched;
        // As the preset buttons do: the mode in effect is not switched to again.
        if (GetStringNow() == command.label) return kExitDone;
        platform_.display.ChangeSettings(index);
        AfterSwitch();
        ChangeToolTip();
        return modeInEffectIs(command.label);
    }
    case Verb::List:
        for (const std::string& entry : CmbRes.Items())
            output += (entry.empty() ? entry : entry.substr(1)) + "\r\n";
        return kExitDone;
    case Verb::Exit:
        MenuCommand("close");
        return kExitDone;
    case Verb::Help:
        output = UsageText();
        return kExitDone;
    }
    return kExitBadArguments;
}

std::string FrmMain::ListEntryLabel(std::int32_t index) const {
    const std::vector<std::string>& entries = CmbRes.Items();
    if (index < 0 || index >= static_cast<std::int32_t>(entries.size())) return {};
    const std::string& entry = entries[static_cast<std::size_t>(index)];
    return entry.empty() ? entry : entry.substr(1);
}

}  // namespace app
