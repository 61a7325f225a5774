#include "app/win32/main_window.h"
#include "app/win32/remote_command.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/control_ids.h"
#include "app/form_surface.h"
#include "app/layout.h"
#include "app/win32/about_window.h"
#include "app/win32/accessible.h"
#include "app/win32/ambient_forwarding.h"
#include "app/win32/child_controls.h"
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
// A drop-down list's window height includes its open list.
constexpr int kDropDownListHeight = 240;

// The drop-down list's window height at this dpi.
int DropDownHeight(int dpi) { return MulDiv(kDropDownListHeight, dpi, 96); }

// The controls that are windows of the program's own kinds (CreateSkinned).
bool IsSkinned(const ControlModel& model) {
    return model.Kind() == ControlKind::PushButton || model.Kind() == ControlKind::SkinnedFrame;
}

}  // namespace

MainWindow::MainWindow(FrmMain& form, int dpi)
    : form_(form), dpiGiven_(dpi > 0 ? dpi : 0), dpi_(dpi > 0 ? dpi : ScreenDpi()) {}

bool MainWindow::Create(HINSTANCE instance) {
    const double tpp = TwipsPerPixel(dpi_);
    RECT rc{0, 0, TwipsToPixels(kClientWidthTwips, tpp), TwipsToPixels(kClientHeightTwips, tpp)};

    if (!CreateBound(WindowClass{ids::kMainWindowClass, 0, true, true}, instance,
                     WS_EX_CONTROLPARENT, form_.window.Caption(), kWindowStyle, CW_USEDEFAULT,
                     CW_USEDEFAULT, rc.right - rc.left, rc.bottom - rc.top, nullptr))
        return false;
    // Made at the system's scale; the monitor it came up on may have another.
    if (const int shown = WindowDpi(hwnd_); !dpiGiven_ && shown != dpi_) {
        dpi_ = shown;
        const double at = TwipsPerPixel(dpi_);
        rc = RECT{0, 0, TwipsToPixels(kClientWidthTwips, at), TwipsToPixels(kClientHeightTwips, at)};
        SetWindowPos(hwnd_, nullptr, 0, 0, rc.right, rc.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    form_.window.SetSize(rc.right - rc.left, rc.bottom - rc.top);
    form_.window.SetObserver([this](FormWindow::FormChange change) { MirrorForm(change); });
    instance_ = instance;
    form_.SetHost(*this);
    LetRemoteCommandsThrough(hwnd_);
    CreateControls();
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

namespace {
constexpr UINT_PTR kStartUpSaveTimer = 0x5341;  // "SA"
}  // namespace

void MainWindow::ScheduleStartUpSave() {
    if (!SetTimer(hwnd_, kStartUpSaveTimer, USER_TIMER_MINIMUM, nullptr)) form_.SaveStartUpLayout();
}

void MainWindow::CreateControls() {
    sansSerif_.Reset(CreateFontFor(paint::FontInfo{}, dpi_));  // the form's MS Sans Serif 8
    const double tpp = TwipsPerPixel(dpi_);

    for (ControlModel* model : form_.Controls()) models_[model->Id()] = model;
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
    for (int pass = 0; pass < 4; ++pass)
        for (ControlModel* model : form_.Controls())
            if (Pass(model->Kind()) == pass) zOrder_.push_back(model);
    // The frame and buttons of the other look stay unmade until a switch of colour depth
    // shows them: five windows fewer, and under Wine every window made costs a dozen round
    // trips to the server.
    const bool fullColour = form_.FullColourNow();
    for (ControlModel* model : zOrder_) {
        if (!IsSkinned(*model) || form_.ShownInLook(*model, fullColour))
            if (HWND child = CreateControl(*model, tpp)) children_[model->Id()] = child;
        model->SetObserver([this](ControlModel& m, Change c) { Mirror(m, c); });
    }
}

void MainWindow::CreateShownLate(ControlModel& model) {
    // A new button window reads the form's design into its control, as at start-up; what the
    // form has set since (the preset captions, a disabled monitor button) stays.
    const std::string caption = model.Caption();
    const bool enabled = model.Enabled();
    HWND child = CreateControl(model, TwipsPerPixel(dpi_));
    if (!child) return;
    children_[model.Id()] = child;
    model.SetCaption(caption);
    model.SetEnabled(enabled);
    // Made last, it lies at the bottom: it goes under the nearest control above it.
    HWND above = HWND_TOP;
    for (ControlModel* m : zOrder_) {
        if (m == &model) break;
        if (const auto it = children_.find(m->Id()); it != children_.end()) above = it->second;
    }
    SetWindowPos(child, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND MainWindow::CreateControl(ControlModel& model, double tpp) {
    const TwipsRect* design = nullptr;
    for (const TwipsRect& r : DesignLayout())
        if (r.id == model.Id()) design = &r;
    if (!design) return nullptr;
    const PixelRect at = ToPixels(*design, tpp);

    if (IsSkinned(model)) return CreateSkinned(model, at);

    const char* cls = "BUTTON";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    int height = at.height;
    switch (model.Kind()) {
    case ControlKind::CheckBox: style |= BS_AUTOCHECKBOX | BS_MULTILINE; break;
    case ControlKind::GroupBox: style |= BS_GROUPBOX; break;
    case ControlKind::ComboBox:
        cls = "COMBOBOX";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL;
        height = at.height + DropDownHeight(dpi_);
        break;
    case ControlKind::Label:
        cls = "STATIC";
        style |= SS_LEFTNOWORDWRAP | SS_NOTIFY;  // clipped, not wrapped, like the form's labels
        break;
    case ControlKind::PushButton:
    case ControlKind::SkinnedFrame:
        return nullptr;  // made above
    }
    if (model.Visible()) style |= WS_VISIBLE;
    if (model.TabStop() && model.Kind() != ControlKind::GroupBox &&
        model.Kind() != ControlKind::Label)
        style |= WS_TABSTOP;
    if (!model.Enabled()) style |= WS_DISABLED;

    HWND child = CreateWindowExA(0, cls, model.Caption().c_str(), style, at.left, at.top,
                                 at.width, height, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(model.Id())),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE)),
                                 nullptr);
    if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(sansSerif_.Get()), FALSE);
    if (child && model.Kind() == ControlKind::GroupBox) MakeGroupBoxOpaque(child);
    // The labels (the maker's) open something when clicked: links to a screen reader.
    if (child && model.Kind() == ControlKind::Label) MakeLinkAccessible(child);
    // A list filled while the window is hidden need not redraw after each entry: under Wine
    // every entry added to a list that redraws is another round trip to the server (its
    // scroll bar). It redraws again as the window shows (WM_SHOWWINDOW).
    if (child && model.Kind() == ControlKind::ComboBox && !IsWindowVisible(hwnd_)) {
        SendMessageA(child, WM_SETREDRAW, FALSE, 0);
        listsHeld_.push_back(child);
    }
    return child;
}

HWND MainWindow::CreateSkinned(ControlModel& model, const PixelRect& at) {
    std::unique_ptr<SurfaceWindow> window;
    bool made = false;
    if (auto* button = dynamic_cast<controls::PellXPButton*>(&model)) {
        auto w = std::make_unique<ButtonWindow>(*button, ControlName(model.Id()), dpi_);
        made = w->Create(hwnd_, model.Id(), at.left, at.top, at.width, at.height,
                         ButtonDesign(model.Id(), LoadPictureResource));
        window = std::move(w);
    } else if (auto* small = dynamic_cast<controls::xpcmdbutton*>(&model)) {
        auto w = std::make_unique<CmdButtonWindow>(*small, ControlName(model.Id()), dpi_);
        made = w->Create(hwnd_, model.Id(), at.left, at.top, at.width, at.height,
                         LoadPictureResource("xpcmdbutton_skin"), CmdButtonDesign(model.Id()));
        window = std::move(w);
    } else if (auto* frame = dynamic_cast<controls::SkinnedFrame*>(&model)) {
        frame->LoadPictures(LoadPictureFile);
        // The close button unloads the window, which stores the settings.
        frame->onCloseClick = [this] { PostMessageA(hwnd_, WM_CLOSE, 0, 0); };
        // The frame shows the form's surface on its own, drawn at 100% like the frame.
        auto w = std::make_unique<FrameWindow>(
            *frame, dpi_,
            [this](paint::Surface& s, paint::TextRenderer& text) {
                PaintFormSurface(s, form_, &text, kSkinTwipsPerPixel);
            },
            [this](UINT msg, int x, int y) { OnSurfaceMouse(msg, x, y); });
        made = w->Create(hwnd_, model.Id(), at.left, at.top, at.width, at.height);
        if (made) frames_.push_back(w.get());
        window = std::move(w);
    }
    if (!made) return nullptr;
    HWND child = window->Handle();
    skinnedWindows_.push_back(std::move(window));
    return child;
}

void MainWindow::ApplyDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    const double tpp = TwipsPerPixel(dpi_);
    // The controls take the new font before the old one goes.
    ScopedFont font(CreateFontFor(paint::FontInfo{}, dpi_));
    for (const TwipsRect& design : DesignLayout()) {
        const auto it = children_.find(design.id);
        if (it == children_.end()) continue;
        const PixelRect at = ToPixels(design, tpp);
        if (SurfaceWindow* skinned = FindSurfaceWindow(skinnedWindows_, it->second)) {
            skinned->MoveToDpi(dpi_, at.left, at.top, at.width, at.height);
            continue;
        }
        const auto model = models_.find(design.id);
        const bool list = model != models_.end() && model->second->Kind() == ControlKind::ComboBox;
        SetWindowPos(it->second, nullptr, at.left, at.top, at.width,
                     at.height + (list ? DropDownHeight(dpi_) : 0), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(it->second, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    }
    sansSerif_ = std::move(font);
}

void MainWindow::RedrawFrames() {
    for (FrameWindow* frame : frames_) frame->RedrawBeneathChanged();
}

void MainWindow::OnSurfaceMouse(UINT msg, int x, int y) {
    const bool onLabel = OnMakerLabel(form_, x, y, TwipsPerPixel(dpi_));
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

void MainWindow::Mirror(ControlModel& model, Change change) {
    // The maker label is drawn on the form's surface, which the frames show.
    if (&model == &form_.LblMorv) RedrawFrames();
    const auto it = children_.find(model.Id());
    if (it == children_.end()) {
        if (change == Change::Visible && model.Visible() && IsSkinned(model)) CreateShownLate(model);
        return;
    }
    HWND child = it->second;
    if (MirrorCommonChange(child, model, change)) return;
    switch (change) {
    case Change::Value:
        if (const auto* box = dynamic_cast<const CheckBox*>(&model))
            SendMessageA(child, BM_SETCHECK, static_cast<WPARAM>(box->Value()), 0);
        break;
    case Change::Items:
        if (const auto* list = dynamic_cast<const ComboBox*>(&model)) {
            // Entries are only ever appended: add what the window does not have yet.
            for (auto count = SendMessageA(child, CB_GETCOUNT, 0, 0);
                 count >= 0 && count < list->ListCount(); ++count)
                SendMessageA(child, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(list->Items()[count].c_str()));
        }
        break;
    case Change::Selection:
        if (const auto* list = dynamic_cast<const ComboBox*>(&model))
            SendMessageA(child, CB_SETCURSEL, static_cast<WPARAM>(list->ListIndex()), 0);
        break;
    default: break;
    }
}

void MainWindow::MirrorForm(FormWindow::FormChange change) {
    switch (change) {
    case FormWindow::FormChange::Colors:
    case FormWindow::FormChange::Redraw:
        // The frames show the form's surface and the group boxes its colour.
        RedrawFrames();
        // A hidden window is painted whole when it is shown.
        if (IsWindowVisible(hwnd_))
            RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case FormWindow::FormChange::Position:
        SetWindowPos(hwnd_, nullptr, form_.window.Left(), form_.window.Top(), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case FormWindow::FormChange::Visible:
        ShowWindow(hwnd_, form_.window.Visible() ? SW_SHOW : SW_HIDE);
        break;
    case FormWindow::FormChange::Enabled:
        EnableWindow(hwnd_, form_.window.Enabled());
        break;
    }
}

void MainWindow::OnCommand(int id, int notification, HWND control) {
    const auto it = models_.find(id);
    if (it == models_.end()) return;
    ControlModel* model = it->second;
    if (auto* list = dynamic_cast<ComboBox*>(model)) {
        if (notification == CBN_SELCHANGE)
            list->SetListIndex(static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)));
    } else if (auto* box = dynamic_cast<CheckBox*>(model)) {
        if (notification == BN_CLICKED)
            box->SetValue(static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)));
    } else if (auto* clickable = dynamic_cast<controls::ClickableModel*>(model)) {
        if (notification == BN_CLICKED) clickable->Click();  // STN_CLICKED is 0 too
    }
}

bool MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return true;
    case WM_SHOWWINDOW:
        if (wParam) {
            for (HWND list : listsHeld_) SendMessageA(list, WM_SETREDRAW, TRUE, 0);
            listsHeld_.clear();
        }
        return false;
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
        const auto it = models_.find(id);
        const ControlModel* model = it == models_.end() ? nullptr : it->second;
        const controls::Color back = model && model->Kind() != ControlKind::PushButton
                                         ? model->BackColor()
                                         : form_.window.BackColor();
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, ToColorRef(back));
        if (model && model->Kind() == ControlKind::Label)
            SetTextColor(dc, ToColorRef(model->ForeColor()));
        else
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        result = reinterpret_cast<LRESULT>(brushes_.For(back));
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // A press on the bare window (where no frame covers it) moves the window.
        form_.Form_MouseDown();
        return true;
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
    case kWmDpiChanged: {
        // Moved to a monitor of another scale, or the scale changed: the controls follow, and
        // the window takes the place and size the system suggests.
        ApplyDpi(LOWORD(wParam));
        const SIZE size = TakeSuggestedRect(hwnd_, lParam);
        if (size.cx > 0) form_.window.SetSize(size.cx, size.cy);
        return true;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return true;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // The skinned buttons in system colours repaint in the new ones.
        ForwardAmbientChange(hwnd_, msg, wParam, lParam);
        break;
    default: break;
    }
    return false;
}

}  // namespace app::win32
