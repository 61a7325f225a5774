// The main window's logic in the notification area: the icon, its menu and commands, the players
// and the about window.
#include "app/form_main.h"

#include <utility>

#include "launch/html.h"

namespace app {

namespace {

// The keys the menu's items carry, by command.
constexpr std::pair<TrayCommand, const char*> kTrayKeys[] = {
    {TrayCommand::Open, "open"},         {TrayCommand::Close, "close"},
    {TrayCommand::Movie, "movie"},       {TrayCommand::Monitor, "monitor"},
    {TrayCommand::About, "about"},       {TrayCommand::ScreenSettings, "screensettings"},
    {TrayCommand::PowerDvd, "PDVD"},     {TrayCommand::WinDvd, "WinDVD"},
    {TrayCommand::Vlc, "VLC"},           {TrayCommand::Donate, "donate"},
    {TrayCommand::Save, "save"},         {TrayCommand::Restore, "restore"},
};

}  // namespace

std::optional<TrayCommand> TrayCommandOfKey(const std::string& key) {
    for (const auto& [command, text] : kTrayKeys)
        if (key == text) return command;
    return std::nullopt;
}

const char* KeyOfTrayCommand(TrayCommand command) {
    for (const auto& [c, text] : kTrayKeys)
        if (c == command) return text;
    return "";
}

void FrmMain::MakeMenu() {
    // A second icon beside a forgotten one would answer with the same menu: there is one.
    UnloadTray();
    m_frmSysTray = std::make_shared<tray::frmSysTray>(
        platform_.shell, [this](tray::frmSysTray& component) { return host_->MakeTrayHost(component); });
    tray::frmSysTray& tray = *m_frmSysTray;
    const auto Key = [](TrayCommand command) { return KeyOfTrayCommand(command); };
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

    tray.AddMenuItem("Open Dravik", Key(TrayCommand::Open), true);  // loads the component: the icon shows
    tray.AddMenuItem("-", "", false);
    tray.AddMenuItem(BtnMon.Caption(), Key(TrayCommand::Monitor), false);
    tray.AddMenuItem(BtnMovie.Caption(), Key(TrayCommand::Movie), false);
    tray.AddMenuItem("Monitor settings", Key(TrayCommand::ScreenSettings), false);
    tray.AddMenuItem("-", "", false);
    tray.AddMenuItem("Save Desktop Icons", Key(TrayCommand::Save), false);
    tray.AddMenuItem("Restore Desktop Icons", Key(TrayCommand::Restore), false);
    tray.AddMenuItem("-", "", false);
    PowerDVDPath();
    WinDVDPath();
    VLCPath();
    if (bDVD) tray.AddMenuItem("Start PowerDVD", Key(TrayCommand::PowerDvd), false);
    if (bWinDVD) tray.AddMenuItem("Start WinDVD", Key(TrayCommand::WinDvd), false);
    if (bVLC) tray.AddMenuItem("Start VLC", Key(TrayCommand::Vlc), false);
    if (bDVD || bWinDVD || bVLC) tray.AddMenuItem("-", "", false);
    tray.AddMenuItem("About", Key(TrayCommand::About), false);
    tray.AddMenuItem("Donate", Key(TrayCommand::Donate), false);
    tray.AddMenuItem("-", "", false);
    tray.AddMenuItem("Exit", Key(TrayCommand::Close), false);
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
    platform_.shell.SetForegroundWindow(host_->Window());
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

void FrmMain::BtnTray_Click() { MakeMenu(); }

void FrmMain::m_frmSysTray_SysTrayMouseDown(std::int32_t button) {
    if (button == 2 && m_frmSysTray) m_frmSysTray->ShowMenu();
}

void FrmMain::m_frmSysTray_SysTrayDoubleClick(std::int32_t) { SysTrayDoubleClick(); }

void FrmMain::m_frmSysTray_MenuClick(std::int32_t, const std::string& key) {
    if (const std::optional<TrayCommand> command = TrayCommandOfKey(key))
        OneAtATime([this, command = *command] { MenuCommand(command); });
}

void FrmMain::MenuCommand(TrayCommand command) {
    switch (command) {
    case TrayCommand::Open: LooseMenu(); break;
    case TrayCommand::Close:
        UnloadTray();
        StoreSettings();
        ended_ = true;
        host_->EndProgram();
        break;
    case TrayCommand::Movie:
        SwitchToPreset(CmbMovie, BtnMovie);
        ChangeToolTip();
        break;
    case TrayCommand::Monitor:
        SwitchToPreset(CmbRes, BtnMon);
        ChangeToolTip();
        break;
    case TrayCommand::About: ShowAbout(); break;
    case TrayCommand::ScreenSettings: OpenDisplaySettings(); break;
    case TrayCommand::PowerDvd: StartPowerDVD(); break;
    case TrayCommand::WinDvd: StartWinDVD(); break;
    case TrayCommand::Vlc: StartVLC(); break;
    case TrayCommand::Donate: launch::OpenDonationPage(platform_.shell); break;
    case TrayCommand::Save: iconMem_.SaveIconLayout(); break;
    case TrayCommand::Restore: RestoreOrSayNothingToRestore(); break;
    }
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
        frmAbout_ = std::make_unique<launch::FrmAbout>(platform_, asAboutOwner_);
        if (std::unique_ptr<launch::AboutHost> window = host_->MakeAboutHost(*frmAbout_))
            frmAbout_->SetHost(std::move(window));
        frmAbout_->Form_Load();
    }
    frmAbout_->Show();
}

void FrmMain::MainAsAboutOwner::AboutUnloaded() {
    form_.unloadedAbout_ = std::move(form_.frmAbout_);
}

void FrmMain::LblMorv_Click() {
    ShowAbout();
    window.SetVisible(false);
}

}  // namespace app
