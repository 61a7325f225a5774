#include "app/win32/about_window.h"

#include <commctrl.h>

#include <cmath>
#include <string>

#include "app/win32/ambient_forwarding.h"
#include "app/win32/button_window.h"
#include "app/win32/child_controls.h"
#include "app/win32/frame_window.h"
#include "app/win32/resource_pictures.h"
#include "launch/about_design.h"
#include "wingui/dpi.h"

namespace app::win32 {
namespace {

namespace about = launch::about;
using wingui::CreateFontFor;
using wingui::kWmDpiChanged;
using wingui::ScreenDpi;
using wingui::TakeSuggestedRect;
using wingui::ToColorRef;
using wingui::WindowClass;
using wingui::WindowDpi;
using controls::Change;
using controls::ControlModel;

}  // namespace

AboutWindow::AboutWindow(launch::FrmAbout& form, HINSTANCE instance, int dpi)
    : form_(form), instance_(instance), dpiGiven_(dpi > 0), dpi_(dpi > 0 ? dpi : ScreenDpi()) {}

AboutWindow::~AboutWindow() {
    Unload();
    // Children first, while the models they show are still there.
    skinnedWindows_.clear();
}

int AboutWindow::Pixels(int twips) const {
    return static_cast<int>(std::lround(twips * dpi_ / 1440.0));
}

bool AboutWindow::Create() {
    int width = Pixels(about::kClientWidthTwips);
    int height = Pixels(about::kClientHeightTwips);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    // Borderless: the picture-drawn frame is the title bar and the edges.
    if (!CreateBound(WindowClass{about::kWindowClass, 0, true, true}, instance_,
                     WS_EX_CONTROLPARENT, form_.window.Caption(), WS_POPUP | WS_SYSMENU, left, top,
                     width, height, nullptr))
        return false;
    // Made at the system's scale, centred on the main screen; the monitor there may have
    // another scale than the system's or than the main window's monitor (Windows 10's
    // per-monitor scales). The window takes that monitor's before its controls are made.
    if (const int shown = WindowDpi(hwnd_); !dpiGiven_ && shown != dpi_) {
        dpi_ = shown;
        width = Pixels(about::kClientWidthTwips);
        height = Pixels(about::kClientHeightTwips);
        SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    form_.window.SetSize(width, height);
    form_.window.SetObserver([this](FormWindow::FormChange change) { MirrorForm(change); });
    CreateControls();
    return true;
}

void AboutWindow::CreateControls() {
    for (ControlModel* model : form_.Controls()) models_[model->Id()] = model;
    LoadPicture();

    // Created in the design's order, top-most first: later children sit lower.
    for (const about::Place& place : about::Layout()) {
        const int x = Pixels(place.left), y = Pixels(place.top);
        const int w = std::max(Pixels(place.width), 1), h = std::max(Pixels(place.height), 1);
        const auto found = models_.find(place.id);
        ControlModel* model = found == models_.end() ? nullptr : found->second;
        HWND child = nullptr;
        const auto makeStatic = [&](DWORD style, const char* text) {
            return CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                   x, y, w, h, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
                                   instance_, nullptr);
        };
        if (auto* button = dynamic_cast<controls::PellXPButton*>(model)) {
            auto window = std::make_unique<ButtonWindow>(*button, ControlName(place.id), dpi_);
            if (window->Create(hwnd_, place.id, x, y, w, h, launch::FrmAbout::ButtonDesign(place.id)))
                child = window->Handle();
            skinnedWindows_.push_back(std::move(window));
        } else if (auto* frame = dynamic_cast<controls::SkinnedFrame*>(model)) {
            frame->LoadPictures(LoadPictureFile);
            // Nothing is drawn on the about window's own surface but its colour; a press on
            // the bare surface moves the window.
            auto window = std::make_unique<FrameWindow>(
                *frame, dpi_,
                [this](paint::Surface& s, paint::TextRenderer&) {
                    s.Clear(form_.window.BackColor() & 0xFFFFFF);
                },
                [this](UINT msg, int, int) {
                    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN)
                        form_.Form_MouseDown();
                });
            if (window->Create(hwnd_, place.id, x, y, w, h)) child = window->Handle();
            skinnedWindows_.push_back(std::move(window));
        } else if (place.id == about::kFrame1) {
            child = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX,
                                    x, y, w, h, hwnd_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
                                    instance_, nullptr);
            if (child && model) MakeGroupBoxOpaque(child);
        } else if (place.id == about::kImage12) {
            child = makeStatic(SS_ICON, "");
            if (child && picture_.Get())
                SendMessageA(child, STM_SETICON, reinterpret_cast<WPARAM>(picture_.Get()), 0);
        } else if (place.id == about::kLine1) {
            child = makeStatic(0, "");
        } else if (model) {
            // Labels: no SS_NOTIFY, so a press on one falls through to the frame beneath, which
            // drags the window. LblText wraps; the others are one line each.
            child = makeStatic(place.id == about::kLblText ? SS_LEFT : SS_LEFTNOWORDWRAP,
                               model->Caption().c_str());
            fonts_[place.id].Reset(CreateFontFor(about::LabelFont(place.id), dpi_));
            if (child)
                SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[place.id].Get()), FALSE);
        }
        if (child) children_[place.id] = child;
        if (model) model->SetObserver([this](ControlModel& m, Change c) { Mirror(m, c); });
    }
}

void AboutWindow::LoadPicture() {
    // The icon file holds a picture drawn at each of these sizes (32 x 32 at 100%).
    const int size = MulDiv(32, dpi_, 96);
    picture_.Reset(LoadProgramIcon(instance_, size));
}

void AboutWindow::ApplyDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    std::map<int, ScopedFont> fonts;  // the labels take the new fonts before the old ones go
    LoadPicture();  // the picture's control takes the new icon below, before it paints again
    for (const about::Place& place : about::Layout()) {
        const auto it = children_.find(place.id);
        if (it == children_.end()) continue;
        HWND child = it->second;
        const int x = Pixels(place.left), y = Pixels(place.top);
        const int w = std::max(Pixels(place.width), 1), h = std::max(Pixels(place.height), 1);
        if (SurfaceWindow* skinned = FindSurfaceWindow(skinnedWindows_, child)) {
            skinned->MoveToDpi(dpi_, x, y, w, h);
            continue;
        }
        SetWindowPos(child, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
        if (place.id == about::kImage12 && picture_.Get())
            SendMessageA(child, STM_SETICON, reinterpret_cast<WPARAM>(picture_.Get()), 0);
        if (fonts_.count(place.id)) {
            fonts[place.id].Reset(CreateFontFor(about::LabelFont(place.id), dpi_));
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[place.id].Get()), TRUE);
        }
    }
    fonts_ = std::move(fonts);
}

void AboutWindow::Unload() {
    if (!hwnd_) return;
    // The models outlive the window for a while: they must not reach it any more.
    for (ControlModel* model : form_.Controls()) model->SetObserver(nullptr);
    form_.window.SetObserver(nullptr);
    children_.clear();
    DestroyWindow(hwnd_);
}

void AboutWindow::Mirror(ControlModel& model, Change change) {
    const auto it = children_.find(model.Id());
    if (it == children_.end()) return;
    HWND child = it->second;
    MirrorCommonChange(child, model, change);
}

void AboutWindow::MirrorForm(FormWindow::FormChange change) {
    switch (change) {
    case FormWindow::FormChange::Visible:
        ShowWindow(hwnd_, form_.window.Visible() ? SW_SHOW : SW_HIDE);
        if (form_.window.Visible()) SetForegroundWindow(hwnd_);
        break;
    case FormWindow::FormChange::Enabled: EnableWindow(hwnd_, form_.window.Enabled()); break;
    case FormWindow::FormChange::Position:
        SetWindowPos(hwnd_, nullptr, form_.window.Left(), form_.window.Top(), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case FormWindow::FormChange::Colors:
    case FormWindow::FormChange::Redraw:
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    }
}

bool AboutWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // Top-level only: the skinned buttons hear of it from here.
        ForwardAmbientChange(hwnd_, msg, wParam, lParam);
        break;
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(hwnd_, &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, brushes_.For(form_.window.BackColor()));
        result = 1;
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (id == about::kLine1) {
            result = reinterpret_cast<LRESULT>(brushes_.For(about::kLightBlue));
            return true;
        }
        const auto it = models_.find(id);
        const ControlModel* model = it == models_.end() ? nullptr : it->second;
        const controls::Color back = model ? model->BackColor() : form_.window.BackColor();
        SetBkColor(dc, ToColorRef(back));
        SetTextColor(dc, model ? ToColorRef(model->ForeColor()) : GetSysColor(COLOR_WINDOWTEXT));
        result = reinterpret_cast<LRESULT>(brushes_.For(back));
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        form_.Form_MouseDown();
        return true;
    case kWmDpiChanged: {
        // Moved to a monitor of another scale, or the scale changed: the controls follow, and
        // the window takes the place and size the system suggests.
        ApplyDpi(LOWORD(wParam));
        const SIZE size = TakeSuggestedRect(hwnd_, lParam);
        if (size.cx > 0) form_.window.SetSize(size.cx, size.cy);
        return true;
    }
    case WM_CLOSE:
        // Alt+F4 closes the about window as "Ok" does, so that the main window is enabled
        // again (a plain unload would leave it disabled for good).
        form_.shut();
        return true;
    default: break;
    }
    return false;
}

}  // namespace app::win32
