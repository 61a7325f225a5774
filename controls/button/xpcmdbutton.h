#pragma once
// The small skin-painted button of the 256-colour appearance. It draws nothing of its own: it
// stretches one of five cells of a 90 x 21 skin over its area in nine pieces (corners kept,
// edges and centre stretched) and shows its caption in a label centred on top. A 10 ms timer
// polls the cursor to see it leave. State 1 (selected) gives it a blue-framed look of its own.
//
// Caption and Enabled are held and set by ControlModel so that the form's host sees them; the
// button's reaction runs from ControlModel's hooks, whichever reference the setter is called
// through.
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

#include "controls/button/cmd_button_host.h"
#include "controls/control_model.h"
#include "controls/paint/color.h"
#include "controls/paint/picture.h"
#include "controls/paint/text.h"
#include "controls/property_bag.h"

namespace controls {

// The label's place in the button's client pixels (fractions allowed) and its own size.
struct CmdLabelBox {
    float left = 0;
    float top = 0;
    int width = 0;
    int height = 0;
};

class xpcmdbutton : public ClickableModel {
public:
    static constexpr const char* kSkinFile = "xpcmdbutton_skin.bmp";
    static constexpr int kCellWidth = 18;
    static constexpr int kCellHeight = 21;
    static constexpr int kCellCount = 5;
    static constexpr int kTimerInterval = 10;  // milliseconds
    static constexpr paint::Rgb kEnabledText = 0x000000;
    static constexpr paint::Rgb kDisabledText = paint::MakeRgb(161, 161, 146);

    // Skin cells.
    static constexpr int kCellNormal = 0;
    static constexpr int kCellPressed = 1;
    static constexpr int kCellDisabled = 2;
    static constexpr int kCellHover = 3;
    static constexpr int kCellSelected = 4;

    // Initialize: the look of State 0 (nothing is drawn before the host gives a size).
    xpcmdbutton(int id, std::string caption);

    // The host's services; nullptr returns to the built-in stand-in. The host must outlive the
    // button or be detached.
    void SetHost(CmdButtonHost* host);
    CmdButtonHost& Host() const { return *host_; }

    // The skin bitmap (90 x 21, five cells of 18 x 21), part of the control's design.
    void SetSkin(paint::PicturePtr skin) { skin_ = std::move(skin); }
    const paint::PicturePtr& Skin() const { return skin_; }

    // --- lifecycle ---
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    // ReadProperties but for the caption and enabled state, which the button keeps as they
    // are: the design of a window made after the form set them.
    void ReadDesign(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;
    void Show() { RefreshLook(); }
    // The host changed the client size (pixels).
    void Resize(int width, int height);

    // --- properties ---
    std::int32_t State() const { return state_; }
    void SetState(std::int32_t state);
    std::int32_t CurrentLook() const { return currentLook_; }
    const paint::FontInfo& Font() const { return font_; }
    void SetFont(const paint::FontInfo& font);

    // --- events raised to the host (Click is ClickableModel's onClick) ---
    std::function<void(int keyCode, int shift)> onKeyDown;
    std::function<void(int keyAscii)> onKeyPress;
    std::function<void(int keyCode, int shift)> onKeyUp;
    std::function<void(int button, int shift, float x, float y)> onMouseDown;
    std::function<void(int button, int shift, float x, float y)> onMouseMove;
    std::function<void(int button, int shift, float x, float y)> onMouseUp;
    std::function<void()> onMouseOut;

    // --- input, as the host delivers it; coordinates in client pixels ---
    void TimerTick();
    void MouseMove(int button, int shift, float x, float y);
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    // The second press of a double click, which a window gets in place of its MouseDown. The
    // double click's one Click came with the first release; this press only shows the pressed
    // look, as the first did, and raises nothing, so the release after it gives MouseUp alone.
    // The host's order for a double click: MouseDown, MouseUp, Click, DblClick, MouseUp.
    void DblClick() { PaintSkin(kCellPressed); }
    // A click, or the access key: raises Click (ClickableModel::Click).
    void AccessKeyPress() { Click(); }
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);
    void GotFocus() { PaintSkin(kCellHover); }
    void LostFocus() { RefreshLook(); }
    // The label's events go to the control's handlers with the label's own coordinates.
    void LabelClick() { Click(); }
    void LabelMouseDown(int button, int shift, float x, float y) { MouseDown(button, shift, x, y); }
    void LabelMouseMove(int button, int shift, float x, float y) { MouseMove(button, shift, x, y); }
    void LabelMouseUp(int button, int shift, float x, float y) { MouseUp(button, shift, x, y); }

    // --- drawing ---
    void RefreshLook();
    // Shows cell k: the host is told the look changed and has it painted (Paint).
    void PaintSkin(int k);
    // The look onto s, the client size: the nine pieces of the cell PaintSkin last chose over
    // the client area, then the label. False, with s untouched, when there is nothing to show
    // yet (no cell chosen, or an empty client area).
    bool Paint(paint::Surface& s) const;

    // --- run-time state ---
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }
    const CmdLabelBox& Label() const { return label_; }
    paint::Rgb LabelColor() const { return labelColor_; }
    bool TimerEnabled() const { return timerEnabled_; }
    // The cell the last PaintSkin chose; -1 before the first.
    int PaintedCell() const { return paintedCell_; }

protected:
    void OnCaptionSet() override;
    void OnEnabledSet() override;

private:
    void Changed(std::string_view key) { host_->PropertyChanged(key); }
    void EnableTimer(bool enabled);
    void MeasureLabel();
    void ResizeHandling();

    std::int32_t state_ = 0;
    std::int32_t currentLook_ = 0;
    paint::FontInfo font_;
    paint::Rgb labelColor_ = kEnabledText;
    CmdLabelBox label_;
    bool timerEnabled_ = false;
    int width_ = 0;
    int height_ = 0;
    int paintedCell_ = -1;
    paint::PicturePtr skin_;

    StandaloneCmdButtonHost ownHost_;
    CmdButtonHost* host_ = &ownHost_;
};

// A setter of one of these names declared in the button would hide ControlModel's, and a call
// through a ControlModel reference would skip the button's reaction; this keeps it from compiling.
static_assert(std::is_same_v<decltype(&xpcmdbutton::SetCaption), decltype(&ControlModel::SetCaption)>);
static_assert(std::is_same_v<decltype(&xpcmdbutton::SetEnabled), decltype(&ControlModel::SetEnabled)>);

}  // namespace controls
