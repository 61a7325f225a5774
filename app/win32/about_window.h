#pragma once
// The Win32 window of FrmAbout: a borderless top-level window whose title bar, edges and
// background are drawn by one of its two skinned frames, with the labels, the three skinned
// buttons, the picture and the line of its design. Made at the about window's load and
// destroyed at its unload; the objects behind its controls stay until this host goes, as the
// unload runs inside one of its own buttons' clicks.
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "app/win32/surface_window.h"
#include "launch/form_about.h"
#include "platform/win32/scoped.h"
#include "wingui/gdi.h"
#include "wingui/window_base.h"

namespace app::win32 {

using controls::FormWindow;
using platform::win32::ScopedFont;
using platform::win32::ScopedIcon;
using wingui::BrushCache;
using wingui::WindowBase;

class AboutWindow final : public WindowBase, public launch::AboutHost {
public:
    // dpi: the scale to make the window at; 0 for the scale of the monitor it opens on, which
    // need not be the main window's.
    AboutWindow(launch::FrmAbout& form, HINSTANCE instance, int dpi);
    ~AboutWindow() override;

    // Creates the window, hidden and centred on the screen, with all its controls, and
    // attaches it to the form. False when the window cannot be made.
    bool Create();
    void Unload() override;
    platform::WindowHandle Window() const override { return reinterpret_cast<platform::WindowHandle>(hwnd_); }

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void CreateControls();
    void Mirror(controls::ControlModel& model, controls::Change change);
    void MirrorForm(FormWindow::FormChange change);
    int Pixels(int twips) const;
    // The program's icon at the size of a 32 x 32 picture at this dpi.
    void LoadPicture();
    // WM_DPICHANGED: every control takes its place, font and look at the new dpi.
    void ApplyDpi(int dpi);

    launch::FrmAbout& form_;
    HINSTANCE instance_;
    bool dpiGiven_;
    int dpi_;
    std::map<int, HWND> children_;
    std::map<int, controls::ControlModel*> models_;
    BrushCache brushes_;
    std::vector<std::unique_ptr<SurfaceWindow>> skinnedWindows_;
    std::map<int, ScopedFont> fonts_;
    ScopedIcon picture_;
};

}  // namespace app::win32
