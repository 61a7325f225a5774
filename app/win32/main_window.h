#pragma once
// The Win32 window of FrmMain: creates a real child window for every control model, mirrors
// the models' changes to them, and feeds the user's actions back to the form's handlers.
#include <windows.h>

#include <memory>

#include "app/form_main.h"
#include "app/win32/form_host_window.h"

namespace app::win32 {

class MainWindow final : public FormHostWindow, public MainWindowHost {
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

    // --- FormHostWindow ---
    void FormMouseDown() override { form_.Form_MouseDown(); }
    controls::PropertyBag ButtonDesign(const controls::ControlModel& button) const override;
    void PaintBeneathFrames(paint::Surface& s, paint::TextRenderer& text) override;
    // A press on the maker label, drawn on the surface, clicks it; elsewhere it moves the window.
    void FrameSurfaceMouse(UINT msg, int x, int y) override;
    DWORD LabelStyle(int id) const override;
    std::optional<paint::FontInfo> ChildFont(const controls::ControlModel& model) const override;
    // The frame and buttons of the look not in use stay unmade until a switch of colour depth
    // shows them.
    bool MadeAtStart(const controls::ControlModel& model) const override;
    void ModelChanged(controls::ControlModel& model, controls::Change change) override;

    FrmMain& form_;
    bool fullColourAtStart_ = true;  // the look in use when the window was made
    bool labelPressed_ = false;  // the left button went down on the maker label
};

}  // namespace app::win32
