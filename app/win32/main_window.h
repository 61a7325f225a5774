#pragma once
// The Win32 window of FrmMain: creates a real child window for every control model, mirrors
// the models' changes to them, and feeds the user's actions back to the form's handlers.
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "app/form_main.h"
#include "app/layout.h"
#include "app/win32/button_window.h"
#include "app/win32/cmd_button_window.h"
#include "app/win32/frame_window.h"
#include "platform/win32/scoped.h"
#include "wingui/gdi.h"
#include "wingui/window_base.h"

namespace app::win32 {

using platform::win32::ScopedFont;
using wingui::BrushCache;
using wingui::WindowBase;

class MainWindow final : public WindowBase, public MainWindowHost {
public:
    // dpi: the scale to make the window at; 0 for the scale of the monitor it appears on.
    explicit MainWindow(FrmMain& form, int dpi = 0);

    // Creates the window, hidden, with all its controls. False when the window cannot be made.
    bool Create(HINSTANCE instance);

    // Shows the window when the form wants it shown (it stays hidden when the form started
    // in the notification area).
    void ShowIfVisible();
    // The form's start-up layout save, once every message queued before it is handled: a
    // timer message comes only when no posted message, input or paint is waiting, so the
    // window is drawn first, and a shell that does not answer never keeps it from showing.
    void ScheduleStartUpSave();

    // --- what the form asks of its window ---
    platform::WindowHandle Window() const override;
    std::unique_ptr<tray::SysTrayHost> MakeTrayHost(tray::frmSysTray& component) override;
    std::unique_ptr<launch::AboutHost> MakeAboutHost(launch::FrmAbout& about) override;
    // "Exit" ends the program at once: the window goes without its unload handler.
    void EndProgram() override;

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void CreateControls();
    HWND CreateControl(controls::ControlModel& model, double twipsPerPixel);
    // A skinned control of the look not in use was left unmade; it is made when first shown,
    // in its place in the z-order (and so in the tab order) among the controls made before.
    void CreateShownLate(controls::ControlModel& model);
    void Mirror(controls::ControlModel& model, controls::Change change);
    void MirrorForm(FormWindow::FormChange change);
    void OnCommand(int id, int notification, HWND control);
    // The skinned controls: a window of their own kind each, kept in skinnedWindows_.
    HWND CreateSkinned(controls::ControlModel& model, const PixelRect& at);
    // The frames draw the form's surface anew (its colour or the label on it changed).
    void RedrawFrames();
    // A mouse button went down or up on the form's own surface, where the frame shows it.
    void OnSurfaceMouse(UINT msg, int x, int y);
    // WM_DPICHANGED: every control takes its place, font and look at the new dpi.
    void ApplyDpi(int dpi);

    FrmMain& form_;
    HINSTANCE instance_ = nullptr;
    int dpiGiven_;  // the dpi the window was told to take, 0 for its monitor's
    int dpi_;
    std::map<int, HWND> children_;
    std::map<int, controls::ControlModel*> models_;
    std::vector<controls::ControlModel*> zOrder_;  // every control, topmost first
    BrushCache brushes_;
    std::vector<std::unique_ptr<SurfaceWindow>> skinnedWindows_;
    std::vector<FrameWindow*> frames_;  // of skinnedWindows_
    std::vector<HWND> listsHeld_;       // drop-down lists not redrawing until the window shows
    bool labelPressed_ = false;         // the left button went down on the maker label
    ScopedFont sansSerif_;
};

}  // namespace app::win32
