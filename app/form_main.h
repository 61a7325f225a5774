#pragma once
// The main window's logic: start-up, the two presets and their switches, the appearance for
// the colour depth in effect, the settings at exit. Its controls are plain models; the Win32
// host mirrors them to real windows and feeds the user's actions back.
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/form_design.h"
#include "controls/button/pell_xp_button.h"
#include "controls/button/xpcmdbutton.h"
#include "controls/form/widgets.h"
#include "controls/frame/xpf.h"
#include "icons/icon_mem.h"
#include "launch/form_about.h"
#include "launch/html.h"
#include "modes/display_mode.h"
#include "platform/platform.h"
#include "tray/sys_tray.h"

namespace app {

// The shared form pieces, by the names the main window and its host use.
using controls::Change;
using controls::CheckBox;
using controls::Color;
using controls::ComboBox;
using controls::ControlKind;
using controls::ControlModel;
using controls::FormWindow;
using controls::GroupBox;
using controls::Label;

inline constexpr const char* kAppTitle = "Dravik";
inline constexpr const char* kAlreadyRunning = "Morv Dravik is already running";
inline constexpr const char* kNothingToRestore = "Sorry, nothing to restore";
inline constexpr const char* kInvalidResolution = "Invalid Resolution";
// The display settings: rundll32.exe with the display control panel's arguments.
inline constexpr const char* kDisplaySettingsArguments = "shell32.dll, Control_RunDLL desk.cpl, ,3";
// What the tray icon's tip says after the label of the mode in effect.
inline constexpr const char* kTrayTipSuffix = " - Doubleclick to change resolution";

inline constexpr Color kBackFullColour = 0xE0E0E0;
inline constexpr Color kBack256 = 0xC0C0C0;
inline constexpr Color kLblMorvFullColour = 0xFF8080;
inline constexpr Color kLblMorv256 = 0xFFFF00;

// What the main window's logic asks of the window that shows it: the one way from the logic to
// its window. The host implements it and hands itself over once (FrmMain::SetHost).
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // The window, for the platform calls that act on it (top-most, dragging, the foreground).
    virtual platform::WindowHandle Window() const = 0;
    // The hidden window of a new tray component; null: a component without a window.
    virtual std::unique_ptr<tray::SysTrayHost> MakeTrayHost(tray::frmSysTray& component) = 0;
    // The window of the about window, made (and attached) at its load; null: none.
    virtual std::unique_ptr<launch::AboutHost> MakeAboutHost(launch::FrmAbout& about) = 0;
    // Ends the program at once, without the unload handler: the windows go and the message
    // loop ends.
    virtual void EndProgram() = 0;
};

// The tray menu's commands. The menu's items carry them as key texts, which are compared
// exactly and case-sensitively; inside the program a command is this value.
enum class TrayCommand { Open, Close, Movie, Monitor, About, ScreenSettings, PowerDvd, WinDvd, Vlc, Donate, Save, Restore };
// The command of a menu key; nothing for a key that is none.
std::optional<TrayCommand> TrayCommandOfKey(const std::string& key);
// The key text a menu item carries for a command.
const char* KeyOfTrayCommand(TrayCommand command);

// The label of a mode list's entry: the entry without the list's leading blank.
std::string LabelOfEntry(const std::string& entry);

// The text of the message shown when the mode in effect is not among the offered modes.
std::string NotListedMessage(const std::string& labelNow);

// The command line that opens the display settings: the system folder's rundll32.exe by its
// full path (in quotes when the path has a blank), then the arguments. A bare "rundll32.exe"
// would be looked for in the program's own folder first, so a rundll32.exe lying beside
// Dravik.exe (in a downloads folder, say) would run in its place.
std::string DisplaySettingsCommandLine(const std::string& systemFolder);

class FrmMain {
public:
    FrmMain(platform::Platform& platform, icons::IconLayouts& iconMem);
    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

    // --- controls, in the order of the window's design ---
    controls::PellXPButton BtnTray;
    controls::PellXPButton BtnSettings;
    controls::PellXPButton BtnMon;
    controls::PellXPButton BtnMovie;
    controls::xpcmdbutton CmdTray;
    controls::xpcmdbutton CmdSettings;
    controls::xpcmdbutton CmdMon;
    controls::xpcmdbutton CmdMovie;
    CheckBox ChkTraySysStart;
    CheckBox ChkTraystart;
    GroupBox Frame3;
    controls::MorvXPF MorvXPF1;
    ComboBox CmbMovie;
    GroupBox Frame2;
    ComboBox CmbRes;
    GroupBox Frame1;
    controls::XPF XPF1;
    controls::PellXPButton CmdIconRest;
    controls::PellXPButton CmdIconSave;
    Label LblMorv;

    FormWindow window;

    // --- public variables other windows read ---
    std::int32_t MovieSetting = 0;  // list position of the stored movie preset
    std::int16_t bBPP256 = 0;       // True (-1) while the 256-colour appearance is in use
    // True (-1) when the last look-up found PowerDVD, WinDVD, VLC installed.
    std::int16_t bDVD = 0;
    std::int16_t bWinDVD = 0;
    std::int16_t bVLC = 0;
    // The notification-area icon while the program sits there; empty otherwise.
    std::shared_ptr<tray::frmSysTray> m_frmSysTray;

    // The window that shows this form; until one is set, a host without windows (handle 0,
    // no tray or about windows, nothing to end).
    void SetHost(MainWindowHost& host) { host_ = &host; }

    // Every control in design order, for hosts that mirror them.
    std::vector<ControlModel*> Controls();

    // The window has two looks, chosen by the screen's colour depth (SelectByBPP): the XP
    // frame and large buttons above 256 colours, the plain frame and small buttons at 256 or
    // fewer. Whether the screen now shows more than 256 colours, and whether a control is
    // shown in the look of that depth (every control outside the two looks is). A host may
    // leave the other look's controls unmade until they are shown.
    bool FullColourNow();
    bool ShownInLook(const ControlModel& control, bool fullColour) const;


    // --- lifecycle ---
    enum class LoadResult { Loaded, AlreadyRunning };
    // The start-up sequence. AlreadyRunning: the message was shown and the program must end
    // now, with nothing stored.
    LoadResult Form_Load();
    // Unloading the window stores the settings.
    void Form_Unload();
    // The Windows session really ends (log-off, shut-down): the tray icon goes and the
    // settings are stored, as at any other end of the program; nothing when the program has
    // ended already.
    void Form_EndSession();
    // The program has ended (unload, "Exit" or session end): the settings are stored and no
    // unload handler may run any more.
    bool Ended() const { return ended_; }
    // Saves the icon layout of the screen size at start-up. The host calls it once its window
    // is up (or, started in the tray, once the message loop runs), so that a shell that does
    // not answer can never keep the window from showing. Any switch, save or restore before
    // then runs it first, as it would have run at start-up.
    void SaveStartUpLayout();

    // --- procedures ---
    std::string GetStringNow();
    void FillModeLists();
    void SelectByBPP();
    void DoDrag();
    // Starts the system's display settings (BtnSettings, CmdSettings and the tray's command).
    void OpenDisplaySettings();
    // Into the notification area: a new tray icon with its menu and tip; the window hides.
    void MakeMenu();
    // Back from it: the about window closes, the window shows in front, the icon goes.
    void LooseMenu();
    // The tip: the label of the mode in effect and how to switch.
    void ChangeToolTip();
    // The players' folders by their install keys; each sets its flag.
    std::string PowerDVDPath();
    std::string WinDVDPath();
    std::string VLCPath();
    void StartPowerDVD();
    void StartWinDVD();
    void StartVLC();
    // Shows the about window, loading it first when it is not open.
    void ShowAbout();
    // The about window while it is loaded; nullptr otherwise.
    launch::FrmAbout* About() const { return frmAbout_.get(); }

    // --- commands handed over from a command line ---
    // Form_Load has run to its end: commands may be carried out.
    bool Loaded() const { return loaded_; }
    // Carries a command out as its button, tray command or double click would, after-care
    // included; gives the client's exit code. /list and /? put their text into `output`.
    // Nothing while Busy(): the client asks again a little later.
    std::optional<int> RunCommand(const Command& command, std::string& output);
    // A /run client's switch: carried out as RunCommand would, `output` then holds the label
    // of the mode in effect before it and the switch count after it (EncodeHeldSwitch).
    std::optional<int> RunHold(const Hold& hold, std::string& output);
    // A /run client's switch back once its program has ended: to the mode before the hold
    // only while no switch came since (DecideSwitchBack); `output` says what was decided.
    std::optional<int> RunSwitchBack(const SwitchBack& back, std::string& output);
    // How many switches were made since the start, whatever their source; it wraps.
    std::uint32_t Switches() const { return switches_; }
    // A switch, save or restore is under way. The shell and the display answer it through
    // messages sent to this thread, so a command can arrive while it runs: a click or a tray
    // command then waits its turn, and a command line is told to ask again.
    bool Busy() const { return busy_; }

    // --- event handlers ---
    void CmbRes_Click();
    void CmbMovie_Click();
    void BtnMon_Click();
    void BtnMovie_Click();
    void BtnSettings_Click();
    void BtnTray_Click();
    void CmdIconSave_Click();
    void CmdIconRest_Click();
    void SysTrayDoubleClick();
    void LblMorv_Click();
    // The tray component's events.
    void m_frmSysTray_SysTrayMouseDown(std::int32_t button);
    void m_frmSysTray_SysTrayDoubleClick(std::int32_t button);
    void m_frmSysTray_MenuClick(std::int32_t index, const std::string& key);
    // Any mouse button pressed on the bare window or a group box.
    void Form_MouseDown() { DoDrag(); }

private:
    // Runs `work` now, or, while another piece of work is under way, queues it to run after
    // that one: never inside it.
    void OneAtATime(std::function<void()> work);
    void RunPendingStartUpSave();
    int RunCommandNow(const Command& command, std::string& output);
    void MenuCommand(TrayCommand command);
    void RestoreOrSayNothingToRestore();
    void ToggleFromTray();
    void SwitchToPreset(const ComboBox& list, const controls::PellXPButton& button);
    // The mode number a double click switches to: the monitor preset's while the movie mode
    // is in effect, the movie preset's otherwise.
    std::int32_t ToggleTarget();
    // The label of a list entry (without the list's leading blank); empty past the list.
    std::string ListEntryLabel(std::int32_t index) const;
    void AfterSwitch();
    void StoreSettings();
    void UnloadTray();
    std::string PlayerPath(const launch::Player& player, std::int16_t& flag);

    // The main window as the about window sees it.
    class MainAsAboutOwner final : public launch::AboutOwner {
    public:
        explicit MainAsAboutOwner(FrmMain& form) : form_(form) {}
        bool MainBPP256() override { return form_.bBPP256 != 0; }
        bool MainVisible() override { return form_.window.Visible(); }
        void SetMainVisible(bool visible) override { form_.window.SetVisible(visible); }
        void SetMainEnabled(bool enabled) override { form_.window.SetEnabled(enabled); }
        void MainMakeMenu() override { form_.MakeMenu(); }
        void AboutUnloaded() override;

    private:
        FrmMain& form_;
    };

    platform::Platform& platform_;
    icons::IconLayouts& iconMem_;
    MainWindowHost* host_;
    modes::DisplayMode modeAtStart_;
    bool ended_ = false;
    bool loaded_ = false;
    bool startUpSavePending_ = false;
    bool busy_ = false;
    std::uint32_t switches_ = 0;
    std::deque<std::function<void()>> waiting_;
    bool waitingForTrayIcon_ = false;  // in the tray, the window up while the area has no icon
    MainAsAboutOwner asAboutOwner_{*this};
    std::unique_ptr<launch::FrmAbout> frmAbout_;
    // The about window last unloaded, kept until the next load: it unloads itself from inside
    // its own button's click.
    std::unique_ptr<launch::FrmAbout> unloadedAbout_;
};

}  // namespace app
