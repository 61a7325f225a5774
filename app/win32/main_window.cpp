#include "app/win32/main_window.h"
#include "app/win32/remote_command.h"

#include "app/control_ids.h"
#include "app/form_design.h"
#include "app/form_surface.h"
#include "app/layout.h"
#include "app/win32/about_window.h"
#include "app/win32/frame_window.h"
#include "app/win32/resource_pictures.h"
#include "app/win32/tray_window.h"
#include "wingui/dpi.h"

namespace app::win32 {
namespace {

using controls::Change;
using controls::ControlKind;
using controls::ControlModel;
using wingui::CreateFontFor;
using wingui::kWmDpiChanged;
using wingui::ScreenDpi;
using wingui::TakeSuggestedRect;
using wingui::ToColorRef;
using wingui::WindowClass;
using wingui::WindowDpi;

// Borderless: the picture-drawn frame is the window's title bar and border. No
// WS_CLIPCHILDREN: a group box paints only its frame and caption, so the window's own
// background must show through the rest of it.
constexpr DWORD kWindowStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;

constexpr UINT_PTR kStartUpSaveTimer = 0x5341;  // "SA"

}  // namespace

MainWindow::MainWindow(FrmMain& form, int dpi)
    : FormHostWindow(form.window, DesignLayout(), dpi), form_(form) {}

bool MainWindow::Create(HINSTANCE instance) {
    instance_ = instance;
    if (!CreateFormWindow(ids::kMainWindowClass, kWindowStyle, kClientWidthTwips,
                          kClientHeightTwips, false))
        return false;
    form_.SetHost(*this);
    LetRemoteCommandsThrough(hwnd_);

    // Children created later sit lower in the z-order. Group boxes go behind the controls
    // inside them, and the frames, which cover the whole client area, behind those. The maker
    // label is drawn on the form's own surface, which the frames show between their pictures;
    // its window (for its id, its text and the probe's clicks) lies beneath the frames, hidden
    // by them, and the frame passes the clicks on its place to the label.
    const auto Pass = [](ControlKind kind) {
        switch (kind) {
        case ControlKind::Label: return 3;
        case ControlKind::SkinnedFrame: return 2;
        case ControlKind::GroupBox: return 1;
        default: return 0;
        }
    };
    const std::vector<ControlModel*> models = form_.Controls();
    std::vector<int> zOrder;
    for (int pass = 0; pass < 4; ++pass)
        for (ControlModel* model : models)
            if (Pass(model->Kind()) == pass) zOrder.push_back(model->Id());
    fullColourAtStart_ = form_.FullColourNow();
    CreateChildren(std::move(zOrder), models);
    return true;
}

platform::WindowHandle MainWindow::Window() const { return reinterpret_cast<platform::WindowHandle>(hwnd_); }

// The form's other windows: the tray components' hidden windows and the about window.
std::unique_ptr<tray::SysTrayHost> MainWindow::MakeTrayHost(tray::frmSysTray& component) {
    return std::make_unique<SysTrayWindow>(component, instance_);
}

std::unique_ptr<launch::AboutHost> MainWindow::MakeAboutHost(launch::FrmAbout& about) {
    // Not this window's dpi: the about window opens centred on the main screen, which may be
    // another monitor of another scale.
    auto window = std::make_unique<AboutWindow>(about, instance_, dpiGiven_);
    window->Create();
    return window;
}

void MainWindow::EndProgram() {
    if (hwnd_) DestroyWindow(hwnd_);
}

void MainWindow::ShowIfVisible() {
    if (form_.window.Visible()) {
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
    }
}

void MainWindow::ScheduleStartUpSave() {
    if (!SetTimer(hwnd_, kStartUpSaveTimer, USER_TIMER_MINIMUM, nullptr)) form_.SaveStartUpLayout();
}

controls::PropertyBag MainWindow::ButtonDesign(const ControlModel& button) const {
    if (button.Kind() == ControlKind::SmallButton) return CmdButtonDesign(button.Id());
    return app::ButtonDesign(button.Id(), LoadPictureResource);
}

void MainWindow::PaintBeneathFrames(paint::Surface& s, paint::TextRenderer& text) {
    PaintFormSurface(s, form_, &text, 96);  // the frames' surface is drawn at 100%
}

DWORD MainWindow::LabelStyle(int) const {
    // Clipped, not wrapped, like the form's labels; the maker label takes clicks.
    return SS_LEFTNOWORDWRAP | SS_NOTIFY;
}

std::optional<paint::FontInfo> MainWindow::ChildFont(const ControlModel&) const {
    return paint::FontInfo{};  // the form's MS Sans Serif 8
}

bool MainWindow::MadeAtStart(const ControlModel& model) const {
    // The look not in use costs no windows: under Wine every window made costs round trips to
    // the server.
    return form_.ShownInLook(model, fullColourAtStart_);
}

void MainWindow::ModelChanged(ControlModel& model, Change) {
    // The maker label is drawn on the form's surface, which the frames show.
    if (&model == &form_.LblMorv) RedrawFrames();
}

void MainWindow::FrameSurfaceMouse(UINT msg, int x, int y) {
    const bool onLabel = OnMakerLabel(form_, x, y, dpi_);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // A label takes the presses on it; the bare surface moves the window.
        labelPressed_ = onLabel && msg == WM_LBUTTONDOWN;
        if (!onLabel) form_.Form_MouseDown();
        break;
    case WM_LBUTTONUP:
        // A click on the label: the left button pressed and released on it.
        if (labelPressed_ && onLabel) {
            labelPressed_ = false;
            form_.LblMorv.Click();
        }
        labelPressed_ = false;
        break;
    default: break;
    }
}

bool MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_CLOSE:
        if (!form_.Ended()) form_.Form_Unload();
        DestroyWindow(hwnd_);
        return true;
    case WM_QUERYENDSESSION:
        result = TRUE;
        return true;  // nothing to ask the user; the settings are stored when it really ends
    case WM_ENDSESSION:
        // Windows ends the process soon after this returns, without WM_CLOSE: the settings
        // are stored and the tray icon removed here, or never. A cancelled end (FALSE)
        // changes nothing.
        if (wParam) {
            form_.Form_EndSession();
            DestroyWindow(hwnd_);
        }
        return true;
    case WM_COPYDATA:
        return AnswerRemoteCommand(form_, wParam, lParam, result);
    case WM_TIMER:
        if (wParam != kStartUpSaveTimer) return false;
        KillTimer(hwnd_, kStartUpSaveTimer);
        form_.SaveStartUpLayout();
        return true;
    case WM_DESTROY:
        PostQuitMessage(0);
        return true;
    default: return FormHostWindow::HandleMessage(msg, wParam, lParam, result);
    }
}

}  // namespace app::win32
