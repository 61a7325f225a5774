#pragma once
// The Win32 window of FrmAbout: a borderless top-level window whose title bar, edges and
// background are drawn by one of its two skinned frames, with the labels, the three skinned
// buttons, the picture and the line of its design. Made at the about window's load and
// destroyed at its unload; the objects behind its controls stay until this host goes, as the
// unload runs inside one of its own buttons' clicks.
#include <windows.h>

#include "app/win32/form_host_window.h"
#include "launch/form_about.h"
#include "platform/win32/scoped.h"
#include "wingui/gdi.h"
#include "wingui/window_base.h"

namespace app::win32 {

class AboutWindow final : public FormHostWindow, public launch::AboutHost {
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
    // The program's icon at the size of a 32 x 32 picture at this dpi.
    void LoadPicture();

    // --- FormHostWindow ---
    void FormMouseDown() override { form_.Form_MouseDown(); }
    controls::PropertyBag ButtonDesign(const controls::ControlModel& button) const override;
    // Nothing is drawn on the about window's own surface but its colour.
    void PaintBeneathFrames(paint::Surface& s, paint::TextRenderer&) override;
    DWORD LabelStyle(int id) const override;
    std::optional<paint::FontInfo> ChildFont(const controls::ControlModel& model) const override;
    HWND CreateOwnChild(int id, const controls::PixelRect& at) override;
    HBRUSH OwnChildBrush(int id) override;
    void FormRedraw() override;
    void FormShown() override { SetForegroundWindow(hwnd_); }
    void ScaleChanging() override { LoadPicture(); }
    void OwnChildPlaced(int id, HWND child) override;

    launch::FrmAbout& form_;
    ScopedIcon picture_;
};

}  // namespace app::win32
