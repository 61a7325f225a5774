#include "app/win32/form_host_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/control_ids.h"
#include "app/win32/accessible.h"
#include "app/win32/button_window.h"
#include "app/win32/cmd_button_window.h"
#include "app/win32/frame_window.h"
#include "app/win32/resource_pictures.h"
#include "controls/form/widgets.h"
#include "launch/about_design.h"
#include "platform/win32/scoped.h"
#include "wingui/dpi.h"
#include "wingui/gdi_text.h"
#include "wingui/subclass.h"

namespace app::win32 {
namespace {

using controls::Change;
using wingui::CreateFontFor;
using wingui::kWmDpiChanged;
using wingui::ScreenDpi;
using wingui::Subclass;
using wingui::TakeSuggestedRect;
using wingui::ToColorRef;
using wingui::WindowClass;
using wingui::WindowDpi;
using controls::ControlKind;
using controls::ControlModel;
using controls::PixelRect;

// A drop-down list's window height includes its open list: 240 pixels at 100%.
int DropDownListHeight(int dpi) { return MulDiv(240, dpi, 96); }

// The controls that are windows of the program's own kinds (SurfaceWindows).
bool IsSkinned(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::SmallButton ||
           kind == ControlKind::SkinnedFrame;
}

// The control's name on its form, which a new skinned button takes as its caption; "Control"
// for an id no form gives a name to.
const char* ControlName(int id) {
    namespace about = launch::about;
    switch (id) {
    case ids::kBtnTray: return "BtnTray";
    case ids::kBtnSettings: return "BtnSettings";
    case ids::kBtnMon: return "BtnMon";
    case ids::kBtnMovie: return "BtnMovie";
    case ids::kCmdIconRest: return "CmdIconRest";
    case ids::kCmdIconSave: return "CmdIconSave";
    case ids::kCmdTray: return "CmdTray";
    case ids::kCmdSettings: return "CmdSettings";
    case ids::kCmdMon: return "CmdMon";
    case ids::kCmdMovie: return "CmdMovie";
    case about::kCmdOk: return "CmdOk";
    case about::kCmdDonate: return "CmdDonate";
    case about::kCmdUrl: return "CmdUrl";
    default: return "Control";
    }
}

// Fills the box with the brush its parent gives for it; that brush.
HBRUSH FillWithParentBrush(HWND hwnd, HDC dc) {
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(hwnd)));
    if (brush) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(dc, &rc, brush);
    }
    return brush;
}

// A group box paints its inside in the brush its parent gives it for WM_CTLCOLORSTATIC (the
// box's back colour) before the standard paint draws its frame and caption on it: a standard
// group box lets its parent show through, and the skinned frame beneath is a sibling that does
// not paint there. Subclassed until the box is destroyed.
bool OpaqueGroupBoxHook(void*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_ERASEBKGND && msg != WM_PAINT) return false;
    // WM_PAINT brings no DC: the window's own, given back once the fill is done.
    const HBRUSH brush = msg == WM_ERASEBKGND
                             ? FillWithParentBrush(hwnd, reinterpret_cast<HDC>(wParam))
                             : FillWithParentBrush(hwnd, platform::win32::WindowDc(hwnd).Get());
    result = 1;
    return msg == WM_ERASEBKGND && brush;
}

// Window updates that touch the window only when its state differs: under Wine every change of
// a window's style or visibility is a round trip to the server, and a form sets the same
// visibility several times while it loads.
void SetVisibleIfChanged(HWND hwnd, bool visible) {
    // The window's own flag: IsWindowVisible is false for any child of a hidden window.
    const bool shown = (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != visible) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void SetTabStopIfChanged(HWND hwnd, bool tabStop) {
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    const LONG_PTR wanted = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    if (wanted != style) SetWindowLongPtrA(hwnd, GWL_STYLE, wanted);
}

// Windows sends WM_SYSCOLORCHANGE and WM_SETTINGCHANGE to top-level windows only: the skinned
// buttons (which read the system colours again and repaint in them) and the common controls
// hear of them when their parent hands them on, to each direct child in z-order.
void ForwardToChildren(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The list first: a child's handling may create or destroy windows.
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    for (HWND child : children)
        if (IsWindow(child)) SendMessageA(child, msg, wParam, lParam);
}

}  // namespace

FormHostWindow::FormHostWindow(controls::FormWindow& form,
                               std::span<const controls::TwipsRect> layout, int dpi)
    : formWindow_(form), dpiGiven_(dpi > 0 ? dpi : 0),
      dpi_(dpi > 0 ? dpi : ScreenDpi()), layout_(layout) {}

FormHostWindow::~FormHostWindow() {
    // The skinned children first, while the models they show are still there.
    skinnedWindows_.clear();
}

bool FormHostWindow::CreateFormWindow(const char* className, DWORD style, int widthTwips,
                                      int heightTwips, bool centred) {
    int width = controls::TwipsToPixels(widthTwips, dpi_);
    int height = controls::TwipsToPixels(heightTwips, dpi_);
    const auto Left = [&] { return centred ? (GetSystemMetrics(SM_CXSCREEN) - width) / 2 : CW_USEDEFAULT; };
    const auto Top = [&] { return centred ? (GetSystemMetrics(SM_CYSCREEN) - height) / 2 : CW_USEDEFAULT; };
    if (!CreateBound(WindowClass{className, 0, true, true}, instance_, WS_EX_CONTROLPARENT,
                     formWindow_.Caption(), style, Left(), Top(), width, height, nullptr))
        return false;
    // Made at the system's scale; the monitor it came up on may have another (Windows 10's
    // per-monitor scales), which it takes before its controls are made.
    if (const int shown = WindowDpi(hwnd_); !dpiGiven_ && shown != dpi_) {
        dpi_ = shown;
        width = controls::TwipsToPixels(widthTwips, dpi_);
        height = controls::TwipsToPixels(heightTwips, dpi_);
        SetWindowPos(hwnd_, nullptr, centred ? Left() : 0, centred ? Top() : 0, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE | (centred ? 0 : SWP_NOMOVE));
    }
    formWindow_.SetSize(width, height);
    formWindow_.SetObserver([this](controls::FormWindow::FormChange change) { MirrorForm(change); });
    return true;
}

PixelRect FormHostWindow::PlaceOf(const controls::TwipsRect& design) const {
    // At least a pixel each way: the about window's line is a design rectangle without height.
    const PixelRect at = controls::ToPixels(design, dpi_);
    return {at.left, at.top, std::max(at.width, 1), std::max(at.height, 1)};
}

HFONT FormHostWindow::FontFor(const paint::FontInfo& font) {
    for (const auto& [info, made] : fonts_)
        if (info == font) return made.Get();
    fonts_.emplace_back(font, ScopedFont(CreateFontFor(font, dpi_)));
    return fonts_.back().second.Get();
}

void FormHostWindow::CreateChildren(std::vector<int> zOrder,
                                    const std::vector<ControlModel*>& models) {
    for (ControlModel* model : models) models_[model->Id()] = model;
    zOrder_ = std::move(zOrder);
    for (int id : zOrder_) {
        const auto found = models_.find(id);
        ControlModel* model = found == models_.end() ? nullptr : found->second;
        if (!model || !IsSkinned(model->Kind()) || MadeAtStart(*model))
            if (HWND child = CreateChild(id, model, false)) children_[id] = child;
        if (model) model->SetObserver([this](ControlModel& m, Change c) { Mirror(m, c); });
    }
}

void FormHostWindow::StopMirroring(const std::vector<ControlModel*>& models) {
    for (ControlModel* model : models) model->SetObserver(nullptr);
    formWindow_.SetObserver(nullptr);
    children_.clear();
}

HWND FormHostWindow::CreateChild(int id, ControlModel* model, bool madeLate) {
    const auto design = std::find_if(layout_.begin(), layout_.end(),
                                     [id](const controls::TwipsRect& r) { return r.id == id; });
    if (design == layout_.end()) return nullptr;
    const PixelRect at = PlaceOf(*design);
    if (!model) return CreateOwnChild(id, at);
    if (IsSkinned(model->Kind())) return CreateSkinned(*model, at, madeLate);
    return CreateStandard(*model, at);
}

HWND FormHostWindow::CreateStandard(ControlModel& model, const PixelRect& at) {
    const char* cls = "BUTTON";
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    int height = at.height;
    const ControlKind kind = model.Kind();
    switch (kind) {
    case ControlKind::CheckBox: style |= BS_AUTOCHECKBOX | BS_MULTILINE; break;
    case ControlKind::GroupBox: style |= BS_GROUPBOX; break;
    case ControlKind::ComboBox:
        cls = "COMBOBOX";
        style |= CBS_DROPDOWNLIST | WS_VSCROLL;
        height += DropDownListHeight(dpi_);
        break;
    case ControlKind::Label:
        cls = "STATIC";
        style |= LabelStyle(model.Id());
        break;
    default: return nullptr;  // the skinned ones
    }
    if (model.Visible()) style |= WS_VISIBLE;
    if (model.TabStop() && kind != ControlKind::GroupBox && kind != ControlKind::Label)
        style |= WS_TABSTOP;
    if (!model.Enabled()) style |= WS_DISABLED;

    HWND child = CreateWindowExA(0, cls, model.Caption().c_str(), style, at.left, at.top,
                                 at.width, height, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(model.Id())),
                                 instance_, nullptr);
    if (!child) return nullptr;
    if (const auto font = ChildFont(model))
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*font)), FALSE);
    if (kind == ControlKind::GroupBox) Subclass<OpaqueGroupBoxHook>::Attach(child, nullptr);
    // A label that takes clicks opens something: a link to a screen reader.
    if (kind == ControlKind::Label && (style & SS_NOTIFY)) MakeLinkAccessible(child);
    // A list filled while the window is hidden need not redraw after each entry: under Wine
    // every entry added to a list that redraws is another round trip to the server (its
    // scroll bar). It redraws again as the window shows (WM_SHOWWINDOW).
    if (kind == ControlKind::ComboBox && !IsWindowVisible(hwnd_)) {
        SendMessageA(child, WM_SETREDRAW, FALSE, 0);
        listsHeld_.push_back(child);
    }
    return child;
}

HWND FormHostWindow::CreateSkinned(ControlModel& model, const PixelRect& at, bool madeLate) {
    // A window made late reads the model's caption and enabled state as the form set them.
    const DesignRead read = madeLate ? DesignRead::KeepCaptionAndEnabled : DesignRead::Whole;
    const int id = model.Id();
    std::unique_ptr<SurfaceWindow> window;
    bool made = false;
    switch (model.Kind()) {
    case ControlKind::PushButton: {
        auto w = std::make_unique<ButtonWindow>(static_cast<controls::PellXPButton&>(model),
                                                ControlName(id), dpi_);
        made = w->Create(hwnd_, id, at.left, at.top, at.width, at.height, ButtonDesign(model), read);
        window = std::move(w);
        break;
    }
    case ControlKind::SmallButton: {
        auto w = std::make_unique<CmdButtonWindow>(static_cast<controls::xpcmdbutton&>(model),
                                                   ControlName(id), dpi_);
        made = w->Create(hwnd_, id, at.left, at.top, at.width, at.height,
                         LoadPictureResource("xpcmdbutton_skin"), ButtonDesign(model), read);
        window = std::move(w);
        break;
    }
    case ControlKind::SkinnedFrame: {
        auto& frame = static_cast<controls::SkinnedFrame&>(model);
        frame.LoadPictures(LoadPictureFile);
        // The close button (of the frames that have one) unloads the window.
        frame.onCloseClick = [this] { PostMessageA(hwnd_, WM_CLOSE, 0, 0); };
        // The frame shows the form's surface on its own, drawn at 100% like the frame.
        auto w = std::make_unique<FrameWindow>(
            frame, dpi_,
            [this](paint::Surface& s, paint::TextRenderer& text) { PaintBeneathFrames(s, text); },
            [this](UINT msg, int x, int y) { FrameSurfaceMouse(msg, x, y); });
        made = w->Create(hwnd_, id, at.left, at.top, at.width, at.height);
        if (made) frames_.push_back(w.get());
        window = std::move(w);
        break;
    }
    default: break;
    }
    if (!made) return nullptr;
    HWND child = window->Handle();
    skinnedWindows_.push_back(std::move(window));
    return child;
}

void FormHostWindow::CreateShownLate(ControlModel& model) {
    HWND child = CreateChild(model.Id(), &model, true);
    if (!child) return;
    children_[model.Id()] = child;
    // Made last, it lies at the bottom: it goes under the nearest control above it.
    HWND above = HWND_TOP;
    for (int id : zOrder_) {
        if (id == model.Id()) break;
        if (const auto it = children_.find(id); it != children_.end()) above = it->second;
    }
    SetWindowPos(child, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormHostWindow::ApplyDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_) return;
    dpi_ = dpi;
    ScaleChanging();
    // The controls take the new fonts before the old ones go.
    std::vector<std::pair<paint::FontInfo, ScopedFont>> oldFonts = std::move(fonts_);
    fonts_.clear();
    for (const controls::TwipsRect& design : layout_) {
        const auto it = children_.find(design.id);
        if (it == children_.end()) continue;
        HWND child = it->second;
        const PixelRect at = PlaceOf(design);
        if (SurfaceWindow* skinned = FindSurfaceWindow(skinnedWindows_, child)) {
            skinned->MoveToDpi(dpi_, at.left, at.top, at.width, at.height);
            continue;
        }
        const auto found = models_.find(design.id);
        const ControlModel* model = found == models_.end() ? nullptr : found->second;
        const bool list = model && model->Kind() == ControlKind::ComboBox;
        SetWindowPos(child, nullptr, at.left, at.top, at.width,
                     at.height + (list ? DropDownListHeight(dpi_) : 0),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (!model) {
            OwnChildPlaced(design.id, child);
        } else if (const auto font = ChildFont(*model)) {
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*font)), TRUE);
        }
    }
}

void FormHostWindow::RedrawFrames() {
    for (FrameWindow* frame : frames_) frame->RedrawBeneathChanged();
}

void FormHostWindow::FrameSurfaceMouse(UINT msg, int, int) {
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) FormMouseDown();
}

void FormHostWindow::FormRedraw() {
    // The frames show the form's surface and the group boxes its colour.
    RedrawFrames();
    // A hidden window is painted whole when it is shown.
    if (IsWindowVisible(hwnd_))
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FormHostWindow::Mirror(ControlModel& model, Change change) {
    ModelChanged(model, change);
    const auto it = children_.find(model.Id());
    if (it == children_.end()) {
        if (change == Change::Visible && model.Visible() && IsSkinned(model.Kind()))
            CreateShownLate(model);
        return;
    }
    HWND child = it->second;
    switch (change) {
    case Change::Caption: SetTextIfChanged(child, model.Caption()); break;
    case Change::Enabled: EnableWindow(child, model.Enabled()); break;
    case Change::Visible: SetVisibleIfChanged(child, model.Visible()); break;
    case Change::TabStop: SetTabStopIfChanged(child, model.TabStop()); break;
    case Change::Colors:
    case Change::Redraw:
        // A hidden window is painted whole when it is shown.
        if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
        break;
    case Change::Value:
        if (model.Kind() == ControlKind::CheckBox)
            SendMessageA(child, BM_SETCHECK,
                         static_cast<WPARAM>(static_cast<const controls::CheckBox&>(model).Value()), 0);
        break;
    case Change::Items:
        if (model.Kind() == ControlKind::ComboBox) {
            const auto& list = static_cast<const controls::ComboBox&>(model);
            // Entries are only ever appended: add what the window does not have yet.
            for (auto count = SendMessageA(child, CB_GETCOUNT, 0, 0);
                 count >= 0 && count < list.ListCount(); ++count)
                SendMessageA(child, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(list.Items()[count].c_str()));
        }
        break;
    case Change::Selection:
        if (model.Kind() == ControlKind::ComboBox)
            SendMessageA(child, CB_SETCURSEL,
                         static_cast<WPARAM>(static_cast<const controls::ComboBox&>(model).ListIndex()), 0);
        break;
    }
}

void FormHostWindow::MirrorForm(controls::FormWindow::FormChange change) {
    using FormChange = controls::FormWindow::FormChange;
    switch (change) {
    case FormChange::Colors:
    case FormChange::Redraw: FormRedraw(); break;
    case FormChange::Position:
        SetWindowPos(hwnd_, nullptr, formWindow_.Left(), formWindow_.Top(), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case FormChange::Visible:
        ShowWindow(hwnd_, formWindow_.Visible() ? SW_SHOW : SW_HIDE);
        if (formWindow_.Visible()) FormShown();
        break;
    case FormChange::Enabled: EnableWindow(hwnd_, formWindow_.Enabled()); break;
    }
}

void FormHostWindow::OnCommand(int id, int notification, HWND control) {
    const auto it = models_.find(id);
    if (it == models_.end()) return;
    ControlModel& model = *it->second;
    switch (model.Kind()) {
    case ControlKind::ComboBox:
        if (notification == CBN_SELCHANGE)
            static_cast<controls::ComboBox&>(model).SetListIndex(
                static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)));
        break;
    case ControlKind::CheckBox:
        if (notification == BN_CLICKED)
            static_cast<controls::CheckBox&>(model).SetValue(
                static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)));
        break;
    case ControlKind::PushButton:
    case ControlKind::SmallButton:
    case ControlKind::Label:
        // BN_CLICKED; a label's STN_CLICKED is 0 too.
        if (notification == BN_CLICKED) static_cast<controls::ClickableModel&>(model).Click();
        break;
    default: break;
    }
}

LRESULT FormHostWindow::ChildColours(HDC dc, HWND child) {
    const int id = GetDlgCtrlID(child);
    const auto it = models_.find(id);
    const ControlModel* model = it == models_.end() ? nullptr : it->second;
    if (!model)
        if (HBRUSH own = OwnChildBrush(id)) return reinterpret_cast<LRESULT>(own);
    // A control in its own back colour, a push button's face in the form's; a label in its text
    // colour as well.
    const bool button = model && (model->Kind() == ControlKind::PushButton ||
                                  model->Kind() == ControlKind::SmallButton);
    const controls::Color back = model && !button ? model->BackColor() : formWindow_.BackColor();
    SetBkColor(dc, ToColorRef(back));
    SetTextColor(dc, model && model->Kind() == ControlKind::Label ? ToColorRef(model->ForeColor())
                                                                  : GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(brushes_.For(back));
}

bool FormHostWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
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
        FillRect(reinterpret_cast<HDC>(wParam), &rc, brushes_.For(formWindow_.BackColor()));
        result = 1;
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        result = ChildColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // A press on the bare window (where no frame covers it) moves the window.
        FormMouseDown();
        return true;
    case kWmDpiChanged: {
        // Moved to a monitor of another scale, or the scale changed: the controls follow, and
        // the window takes the place and size the system suggests.
        ApplyDpi(LOWORD(wParam));
        const SIZE size = TakeSuggestedRect(hwnd_, lParam);
        if (size.cx > 0) formWindow_.SetSize(size.cx, size.cy);
        return true;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        ForwardToChildren(hwnd_, msg, wParam, lParam);
        return false;  // and DefWindowProc's handling, as for any top-level window
    default: return false;
    }
}

}  // namespace app::win32
