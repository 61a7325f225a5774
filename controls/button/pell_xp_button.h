#pragma once
// The XP-style push button of the full-colour appearance: its settings (the public properties,
// with the side effects each setter has), their defaults, their persistence in the form's
// property bag, and the drawing entry points. The look itself is in button_paint.cpp, the
// palette in button_colors.cpp, layout and shape in button_layout.cpp, pictures in
// button_picture.cpp, mouse, keyboard and focus handling in button_input.cpp.
//
// Caption, Enabled, BackColor and ForeColor are held and set by ControlModel, so that the form's
// host sees them; the button's reaction to them (layout, palette, redraw, design notification)
// runs from ControlModel's hooks, whichever reference the setter is called through.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "controls/button/button_colors.h"
#include "controls/button/button_face.h"
#include "controls/button/button_host.h"
#include "controls/button/button_layout.h"
#include "controls/control_model.h"
#include "controls/paint/picture.h"
#include "controls/paint/region.h"
#include "controls/paint/surface.h"
#include "controls/property_bag.h"

namespace controls {

// The access key a caption gives (SetAccessKey): one lower-case character, or empty.
std::string AccessKeyOf(std::string_view caption);

// The events the button raises to its form, with the numbers that identify them to the host.
enum class ButtonEventId : int {
    Click = 1,
    MouseDown = 2,
    MouseMove = 3,
    MouseUp = 4,
    KeyPress = 5,
    KeyDown = 6,
    KeyUp = 7,
    MouseOver = 8,
    MouseOut = 9,  // the form knows it as MOUSEOUT
};

struct ButtonEvent {
    ButtonEventId id = ButtonEventId::Click;
    // MouseDown, MouseMove, MouseUp: the button (1 left, 2 right, 4 middle; for MouseMove the
    // buttons held) and the modifiers as the host reports them. KeyDown, KeyUp: the modifiers.
    std::int16_t button = 0;
    std::int16_t shift = 0;
    // The mouse position; the form gets them by reference and may change them, which the button
    // ignores afterwards.
    float x = 0;
    float y = 0;
    // KeyDown, KeyUp: the key code; KeyPress: the character code (KeyAscii).
    std::int16_t key = 0;
};

class PellXPButton : public ClickableModel {
public:
    static constexpr const char* kVersion = "2.0.6";

    // A button with the look of the program's buttons (ButtonType 3, white face, black caption,
    // blue hover caption, grey mask) until InitProperties or ReadProperties says otherwise.
    PellXPButton(int id, std::string caption, std::string fontName);

    // The host's services; nullptr returns to the built-in stand-in that keeps font, cursor and
    // surface in memory and draws no text. The host must outlive the button or be detached.
    void SetHost(ButtonHost* host);
    ButtonHost& Host() const { return *host_; }

    // --- lifecycle ---
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    // ReadProperties but for the caption and enabled state, which the button keeps as they
    // are: the design of a window made after the form set them.
    void ReadDesign(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;
    void Show();
    void Hide() { drawingEnabled_ = false; }
    void Terminate();
    // The host changed the client size (pixels). Does nothing while ResizeGuard is set.
    void Resize(int width, int height);

    // --- input (button_input.cpp); the host calls these from its window's messages ---
    static constexpr int kOverTimerInterval = 3;  // ms; the platform rounds it up

    // Every event the button raises; Click also reaches onClick, after this.
    std::function<void(ButtonEvent&)> onEvent;

    void OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    // A press and release of a button inside the control; acts only after a left press.
    void OnClick();
    // The second press of a double click, in place of its MouseDown.
    void OnDblClick();
    void OnAccessKey(std::int16_t keyAscii);
    void OnKeyDown(std::int16_t keyCode, std::int16_t shift);
    void OnKeyPress(std::int16_t keyAscii);
    void OnKeyUp(std::int16_t keyCode, std::int16_t shift);
    void OnGotFocus();
    void OnLostFocus();
    // A tick of the hover timer.
    void OnTimer();
    // One of the host's ambient properties changed (the name is not used).
    void OnAmbientChanged(std::string_view name);
    // The cursor is over the button's window and inside its shape.
    bool IsMouseOver() const;
    bool OverTimerEnabled() const { return overTimer_; }

    // --- methods ---
    // Recaptures (ButtonType 11), recomputes palette and layout, enables drawing and redraws;
    // also asks the form's host to show the control again.
    void Refresh();
    void DisableRefresh() { drawingEnabled_ = false; }
    // Draws state 0 (up) or 2 (down); unless force, only when state or caption changed. The
    // drawing is the look it records: the host is told it changed and has it painted (Paint).
    void DrawButton(int state, bool force);
    // The look the last drawing recorded onto s, the client size. False, with s untouched,
    // before the first drawing.
    bool Paint(paint::Surface& s) const;

    // --- properties ---
    std::int32_t ButtonType() const { return buttonType_; }
    void SetButtonType(std::int32_t v);
    std::int32_t ColorScheme() const { return colorScheme_; }
    void SetColorScheme(std::int32_t v);
    std::int32_t PicturePosition() const { return picturePosition_; }
    void SetPicturePosition(std::int32_t v);
    std::int32_t SpecialEffect() const { return specialEffect_; }
    void SetSpecialEffect(std::int32_t v);

    // BackColor and ForeColor are set through ControlModel::SetBackColor / SetForeColor (an
    // OLE colour's bits as they are); in the designer each also moves its hover twin.
    OleColor BackColor() const { return static_cast<OleColor>(ControlModel::BackColor()); }
    OleColor BackOver() const { return backOver_; }
    void SetBackOver(OleColor c);
    OleColor ForeColor() const { return static_cast<OleColor>(ControlModel::ForeColor()); }
    OleColor ForeOver() const { return foreOver_; }
    void SetForeOver(OleColor c);
    OleColor MaskColor() const { return maskColor_; }
    void SetMaskColor(OleColor c);

    paint::FontInfo Font() const { return host_->Font(); }
    void SetFont(const paint::FontInfo& font);
    bool FontBold() const { return Font().bold; }
    void SetFontBold(bool v);
    bool FontItalic() const { return Font().italic; }
    void SetFontItalic(bool v);
    bool FontUnderline() const { return Font().underline; }
    void SetFontUnderline(bool v);
    std::int16_t FontSize() const;  // rounded to a whole number, halves to even
    void SetFontSize(double points);
    std::string FontName() const { return Font().name; }
    void SetFontName(std::string name);

    bool ShowFocusRect() const { return showFocusRect_; }
    void SetShowFocusRect(bool v);
    std::int32_t MousePointer() const { return host_->MousePointer(); }
    void SetMousePointer(std::int32_t v);
    paint::PicturePtr MouseIcon() const { return host_->MouseIcon(); }
    void SetMouseIcon(paint::PicturePtr icon);
    std::intptr_t Hwnd() const { return host_->WindowHandle(); }
    bool SoftBevel() const { return softBevel_; }
    void SetSoftBevel(bool v);
    const paint::PicturePtr& PictureNormal() const { return pictureNormal_; }
    void SetPictureNormal(paint::PicturePtr p);
    const paint::PicturePtr& PictureOver() const { return pictureOver_; }
    void SetPictureOver(paint::PicturePtr p);
    bool UseMaskColor() const { return useMaskColor_; }
    void SetUseMaskColor(bool v);
    bool UseGreyscale() const { return useGreyscale_; }
    void SetUseGreyscale(bool v);
    bool CheckBoxBehaviour() const { return checkBox_; }
    void SetCheckBoxBehaviour(bool v);
    bool Value() const { return value_; }
    void SetValue(bool v);
    const char* Version() const { return kVersion; }
    std::int16_t ImageIndex() const { return imageIndex_; }
    void SetImageIndex(std::int16_t index);

    // --- run-time state ---
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    const Rect& FocusRect() const { return focusRect_; }
    const CaptionLayout& Layout() const { return layout_; }
    const PictureBox& PictureRect() const { return picture_; }
    const Palette& Colors() const { return palette_; }
    const paint::RegionData& ButtonRegion() const { return region_; }
    const std::string& AccessKeys() const { return accessKeys_; }
    bool HandFlag() const { return handFlag_; }
    int LastState() const { return lastState_; }
    int LastCaptionMode() const { return lastCaptionMode_; }
    bool DrawingEnabled() const { return drawingEnabled_; }
    bool ResizeGuard() const { return resizeGuard_; }

    // Set by the input handling; they only record, the caller draws.
    bool MouseIsOver() const { return mouseIsOver_; }
    void SetMouseIsOver(bool v) { mouseIsOver_ = v; }
    bool HasFocus() const { return hasFocus_; }
    void SetHasFocus(bool v) { hasFocus_ = v; }
    std::uint8_t LastMouseButton() const { return lastMouseButton_; }
    void SetLastMouseButton(std::uint8_t b) { lastMouseButton_ = b; }
    std::uint8_t LastKeyCode() const { return lastKeyCode_; }
    void SetLastKeyCode(std::uint8_t k) { lastKeyCode_ = k; }

protected:
    void OnCaptionSet() override;
    void OnEnabledSet() override;
    void OnBackColorSet() override;
    void OnForeColorSet() override;

private:
    void Changed(std::string_view key) { host_->PropertyChanged(key); }
    void RedrawCurrent() { DrawButton(lastState_, true); }
    void ApplySetColors();
    // SetColors as if BackColor were back.
    Palette PaletteWithBack(OleColor back) const;
    void ApplyLayoutCaption();
    void ApplyMeasurePicture() { MeasurePicture(pictureNormal_.get(), picture_); }
    void ApplyAccessKey() { accessKeys_ = AccessKeyOf(Caption()); }
    void ResizeHandling();
    void CaptureBackground();
    void ChangeFont(const paint::FontInfo& font);
    void Raise(ButtonEvent e);
    void RaiseMouse(ButtonEventId id, std::int16_t button, std::int16_t shift, float x, float y);
    void RaiseClick();
    void SetOverTimer(bool on);

    // Stored settings (Caption, Enabled, BackColor, ForeColor in ControlModel).
    std::int32_t buttonType_ = 3;
    std::int32_t colorScheme_ = 1;
    std::int32_t picturePosition_ = 0;
    std::int32_t specialEffect_ = 0;
    OleColor backOver_ = 0xFFFFFF;
    OleColor foreOver_ = 0xFF0000;
    OleColor maskColor_ = 0xC0C0C0;
    bool showFocusRect_ = true;
    bool softBevel_ = false;
    bool useMaskColor_ = true;
    bool useGreyscale_ = false;
    bool checkBox_ = false;
    bool value_ = false;
    paint::PicturePtr pictureNormal_;
    paint::PicturePtr pictureOver_;
    std::int16_t imageIndex_ = 0;
    bool handFlag_ = false;

    // Run-time state.
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    Rect focusRect_;
    CaptionLayout layout_;
    PictureBox picture_;
    Palette palette_;
    paint::RegionData region_;
    std::optional<paint::PixelBuffer> background_;
    std::uint8_t lastMouseButton_ = 0;
    std::uint8_t lastKeyCode_ = 0;
    bool hasFocus_ = false;
    bool mouseIsOver_ = false;
    std::uint8_t lastState_ = 0;
    std::string lastCaption_;
    std::uint8_t lastCaptionMode_ = 0;
    // The last drawing: everything it reads as it was then (its caption is lastCaption_), and
    // the caption mode it starts from.
    ButtonFace look_;
    std::uint8_t lookCaptionMode_ = 0;
    bool hasLook_ = false;
    bool drawingEnabled_ = true;  // Initialize
    bool resizeGuard_ = false;
    bool overTimer_ = false;  // OverTimer's enabled state; off when the control is created
    std::string accessKeys_;

    StandaloneButtonHost ownHost_;
    ButtonHost* host_ = &ownHost_;
};

// A setter of one of these names declared in the button would hide ControlModel's, and a call
// through a ControlModel reference would skip the button's reaction; this keeps it from compiling.
static_assert(std::is_same_v<decltype(&PellXPButton::SetCaption), decltype(&ControlModel::SetCaption)>);
static_assert(std::is_same_v<decltype(&PellXPButton::SetEnabled), decltype(&ControlModel::SetEnabled)>);
static_assert(std::is_same_v<decltype(&PellXPButton::SetBackColor), decltype(&ControlModel::SetBackColor)>);
static_assert(std::is_same_v<decltype(&PellXPButton::SetForeColor), decltype(&ControlModel::SetForeColor)>);

}  // namespace controls
