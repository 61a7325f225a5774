#pragma once
// The main window's logic: start-up, the two presets and their switches, the appearance for
// the colour depth in effect, the settings at exit. Its controls are plain models; the Win32
// host mirrors them to real windows and feeds the user's actions back.
#include <cstdint>
#include <string>
#include <vector>

#include "app/form_design.h"
#include "app/widgets.h"
#include "controls/button/pell_xp_button.h"
#include "controls/button/xpcmdbutton.h"
#include "controls/frame/xpf.h"
#include "icons/icon_mem.h"
#include "modes/display_mode.h"
#include "platform/platform.h"

namespace app {

inline constexpr const char* kAppTitle = "Dravik";
inline constexpr const char* kAlreadyRunning = "Morv Dravik is already running";
inline constexpr const char* kNothingToRestore = "Sorry, nothing to restore";
inline constexpr const char* kInvalidResolution = "Invalid Resolution";
// The display settings: rundll32.exe with the display control panel's arguments.
inline constexpr const char* kDisplaySettingsArguments = "shell32.dll, Control_RunDLL desk.cpl, ,3";

inline constexpr Color kBackFullColour = 0xE0E0E0;
inline constexpr Color kBack256 = 0xC0C0C0;
inline constexpr Color kLblMorvFullColour = 0xFF8080;
inline constexpr Color kLblMorv256 = 0xFFFF00;

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

    // Every control in design order, for hosts that mirror them.
    std::vector<ControlModel*> Controls();

    // The host's window handle, for the calls that act on the real window.
    void AttachWindow(platform::WindowHandle handle) { hwnd_ = handle; }

    // --- lifecycle ---
    enum class LoadResult { Loaded, AlreadyRunning };
    // The start-up sequence. AlreadyRunning: the message was shown and the program must end
    // now, with nothing stored.
    LoadResult Form_Load();
    // Unloading the window stores the settings.
    void Form_Unload();

    // --- procedures ---
    std::string GetStringNow();
    void FillModeLists();
    void SelectByBPP();
    void DoDrag();
    // Starts the system's display settings (BtnSettings, CmdSettings and the tray's command).
    void OpenDisplaySettings();
    // Hides into the notification area / comes back. The tray icon itself is not built yet:
    // these move the window between hidden and shown.
    void MakeMenu();
    void LooseMenu();

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
    // Any mouse button pressed on the bare window or a group box.
    void Form_MouseDown() { DoDrag(); }

private:
    void SwitchToPreset(const ComboBox& list, const controls::PellXPButton& button);
    void AfterSwitch();

    platform::Platform& platform_;
    icons::IconLayouts& iconMem_;
    platform::WindowHandle hwnd_ = 0;
    modes::DisplayMode modeAtStart_;
};

}  // namespace app
