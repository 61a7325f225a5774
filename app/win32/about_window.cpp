#include "app/win32/about_window.h"

#include "app/win32/resource_pictures.h"
#include "launch/about_design.h"
#include "wingui/dpi.h"

namespace app::win32 {
namespace {

namespace about = launch::about;
using controls::ControlKind;
using controls::ControlModel;

}  // namespace

AboutWindow::AboutWindow(launch::FrmAbout& form, HINSTANCE instance, int dpi)
    : FormHostWindow(form.window, about::Layout(), dpi), form_(form) {
    instance_ = instance;
}

AboutWindow::~AboutWindow() { Unload(); }

bool AboutWindow::Create() {
    // Borderless: the picture-drawn frame is the title bar and the edges.
    if (!CreateFormWindow(about::kWindowClass, WS_POPUP | WS_SYSMENU, about::kClientWidthTwips,
                          about::kClientHeightTwips, true))
        return false;
    LoadPicture();
    // Created in the design's order, top-most first: later children sit lower.
    std::vector<int> zOrder;
    for (const about::Place& place : about::Layout()) zOrder.push_back(place.id);
    CreateChildren(std::move(zOrder), form_.Controls());
    return true;
}

void AboutWindow::LoadPicture() {
    // The icon file holds a picture drawn at each of these sizes (32 x 32 at 100%).
    const int size = MulDiv(32, dpi_, 96);
    picture_.Reset(LoadProgramIcon(instance_, size));
}

controls::PropertyBag AboutWindow::ButtonDesign(const ControlModel& button) const {
    return launch::FrmAbout::ButtonDesign(button.Id());
}

void AboutWindow::PaintBeneathFrames(paint::Surface& s, paint::TextRenderer&) {
    s.Clear(form_.window.BackColor() & 0xFFFFFF);
}

DWORD AboutWindow::LabelStyle(int id) const {
    // No SS_NOTIFY, so a press on a label falls through to the frame beneath, which drags the
    // window. LblText wraps; the others are one line each.
    return WS_VISIBLE | (id == about::kLblText ? SS_LEFT : SS_LEFTNOWORDWRAP);
}

std::optional<paint::FontInfo> AboutWindow::ChildFont(const ControlModel& model) const {
    if (model.Kind() != ControlKind::Label) return std::nullopt;
    return about::LabelFont(model.Id());
}

HWND AboutWindow::CreateOwnChild(int id, const controls::PixelRect& at) {
    if (id != about::kImage12 && id != about::kLine1) return nullptr;
    HWND child = CreateWindowExA(0, "STATIC", "",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (id == about::kImage12 ? SS_ICON : 0),
                                 at.left, at.top, at.width, at.height, hwnd_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (child) OwnChildPlaced(id, child);
    return child;
}

void AboutWindow::OwnChildPlaced(int id, HWND child) {
    // The icon after the size: a picture control takes the size of the icon it is given.
    if (id == about::kImage12 && picture_.Get())
        SendMessageA(child, STM_SETICON, reinterpret_cast<WPARAM>(picture_.Get()), 0);
}

HBRUSH AboutWindow::OwnChildBrush(int id) {
    return id == about::kLine1 ? brushes_.For(about::kLightBlue) : nullptr;
}

void AboutWindow::FormRedraw() {
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void AboutWindow::Unload() {
    if (!hwnd_) return;
    // The models outlive the window for a while: they must not reach it any more.
    StopMirroring(form_.Controls());
    DestroyWindow(hwnd_);
}

bool AboutWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_CLOSE) {
        // Alt+F4 closes the about window as "Ok" does, so that the main window is enabled
        // again (a plain unload would leave it disabled for good).
        form_.shut();
        result = 0;
        return true;
    }
    return FormHostWindow::HandleMessage(msg, wParam, lParam, result);
}

}  // namespace app::win32
