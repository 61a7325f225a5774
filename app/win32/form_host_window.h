#pragma once
// The window of a form (FrmMain's, FrmAbout's): a borderless top-level window with a child
// window for each control of the form's layout, which it makes, mirrors each model's changes
// to, colours, and moves and scales with the screen's dpi. MainWindow and AboutWindow stand on
// it and add what is their own through its hooks.
#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "app/win32/surface_window.h"
#include "controls/control_model.h"
#include "controls/form/twips.h"
#include "controls/form/widgets.h"
#include "controls/paint/text.h"
#include "controls/property_bag.h"
#include "platform/win32/scoped.h"
#include "wingui/gdi.h"
#include "wingui/window_base.h"

namespace app::win32 {

using platform::win32::ScopedFont;
using platform::win32::ScopedIcon;
using wingui::BrushCache;
using wingui::WindowBase;

class FrameWindow;

class FormHostWindow : public WindowBase {
protected:
    // dpi: the scale to make the window at; 0 for the scale of the monitor it appears on.
    FormHostWindow(controls::FormWindow& form, std::span<const controls::TwipsRect> layout, int dpi);
    ~FormHostWindow() override;

    // Creates the window, hidden, with the form's caption, its client area the design's size at
    // the scale, at the system's default place or centred on the main screen. Made at the
    // system's scale, the window takes that of the monitor it came up on before its controls
    // are made, unless a dpi was given. The form hears of its size and its changes from here on.
    bool CreateFormWindow(const char* className, DWORD style, int widthTwips, int heightTwips,
                          bool centred);
    // Makes the child windows of the layout's ids in this order, topmost first (later children
    // sit lower), each at its design place, and mirrors its model's changes to it from then on.
    // A model MadeAtStart leaves out is made when it is first shown.
    void CreateChildren(std::vector<int> zOrder, const std::vector<controls::ControlModel*>& models);
    // The models no longer reach the window.
    void StopMirroring(const std::vector<controls::ControlModel*>& models);

    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The frames show the form's surface anew (its colour or what is drawn on it changed).
    void RedrawFrames();

    // --- what each form's window adds ---
    // A press of a mouse button on the form's bare surface.
    virtual void FormMouseDown() = 0;
    // The stored design of a push button (PushButton, SmallButton) of the form.
    virtual controls::PropertyBag ButtonDesign(const controls::ControlModel& button) const = 0;
    // Paints what the form shows beneath its frames: its colour and what is drawn on it.
    virtual void PaintBeneathFrames(paint::Surface& s, paint::TextRenderer& text) = 0;
    // A mouse button went down or up on the form's surface where a frame shows it (client
    // pixels): by default a press drags the window.
    virtual void FrameSurfaceMouse(UINT msg, int x, int y);
    // The styles of a label's window beyond WS_CHILD (SS_NOTIFY for one that takes clicks, which
    // screen readers then hear as a link).
    virtual DWORD LabelStyle(int id) const = 0;
    // The font of a standard control's window; none for the system's.
    virtual std::optional<paint::FontInfo> ChildFont(const controls::ControlModel& model) const = 0;
    // A child of the layout without a model (the about window's picture and line).
    virtual HWND CreateOwnChild(int, const controls::PixelRect&) { return nullptr; }
    // The brush of such a child's WM_CTLCOLOR*; nullptr for the form's colours.
    virtual HBRUSH OwnChildBrush(int) { return nullptr; }
    // A control left unmade at start-up (its window is made when the form first shows it).
    virtual bool MadeAtStart(const controls::ControlModel&) const { return true; }
    // Every change of a model, before its window mirrors it.
    virtual void ModelChanged(controls::ControlModel&, controls::Change) {}
    // The form's colours changed or it is to be drawn again.
    virtual void FormRedraw();
    // The form was shown.
    virtual void FormShown() {}
    // The scale changed: before the children move (ScaleChanging) and after each child without
    // a model took its new place (OwnChildPlaced).
    virtual void ScaleChanging() {}
    virtual void OwnChildPlaced(int, HWND) {}

    controls::FormWindow& formWindow_;
    HINSTANCE instance_ = nullptr;  // of the program, which makes the windows
    int dpiGiven_;  // the dpi the window was told to take, 0 for its monitor's
    int dpi_;
    BrushCache brushes_;

private:
    // The window of the control of this id at its design place; nullptr when none is made.
    HWND CreateChild(int id, controls::ControlModel* model, bool madeLate);
    HWND CreateStandard(controls::ControlModel& model, const controls::PixelRect& at);
    HWND CreateSkinned(controls::ControlModel& model, const controls::PixelRect& at, bool madeLate);
    // A control of the look not in use, made when first shown, in its place in the z-order (and
    // so in the tab order) among the controls made before.
    void CreateShownLate(controls::ControlModel& model);
    controls::PixelRect PlaceOf(const controls::TwipsRect& design) const;
    HFONT FontFor(const paint::FontInfo& font);
    void Mirror(controls::ControlModel& model, controls::Change change);
    void MirrorForm(controls::FormWindow::FormChange change);
    void OnCommand(int id, int notification, HWND control);
    LRESULT ChildColours(HDC dc, HWND child);
    // WM_DPICHANGED: every control takes its place, font and look at the new dpi.
    void ApplyDpi(int dpi);

    std::span<const controls::TwipsRect> layout_;
    std::map<int, HWND> children_;
    std::map<int, controls::ControlModel*> models_;
    std::vector<int> zOrder_;  // every child's id, topmost first
    std::vector<std::unique_ptr<SurfaceWindow>> skinnedWindows_;
    std::vector<FrameWindow*> frames_;  // of skinnedWindows_
    std::vector<HWND> listsHeld_;       // drop-down lists not redrawing until the window shows
    std::vector<std::pair<paint::FontInfo, ScopedFont>> fonts_;  // one of each font in use
};

}  // namespace app::win32
