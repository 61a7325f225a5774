#include "controls/button/pell_xp_button.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "controls/button/button_face.h"
#include "controls/button/button_paint.h"
#include "controls/paint/raster.h"

namespace controls {

std::string AccessKeyOf(std::string_view caption) {
    auto key = [](char c) {
        return std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    };
    if (caption.size() <= 1) return {};
    const std::size_t p = caption.find('&');
    if (p == std::string_view::npos || p + 1 == caption.size()) return {};
    if (caption[p + 1] != '&') return key(caption[p + 1]);
    // "&&" is a literal ampersand: only the next one can still mark a key.
    const std::size_t q = caption.find('&', p + 2);
    if (q == std::string_view::npos || q + 1 == caption.size() || caption[q + 1] == '&') return {};
    return key(caption[q + 1]);
}

PellXPButton::PellXPButton(int id, std::string caption, std::string fontName)
    : ClickableModel(id, ControlKind::PushButton, std::move(caption)) {
    paint::FontInfo font;
    font.name = std::move(fontName);
    ownHost_.SetFont(font);
    StoreBackColor(0xFFFFFF);
    StoreForeColor(0x000000);
    ApplyAccessKey();
    ApplySetColors();
}

void PellXPButton::SetHost(ButtonHost* host) {
    // The look painted before a window took the button is shown nowhere from then on.
    if (host && host != &ownHost_) ownHost_.ForgetDrawing();
    host_ = host ? host : &ownHost_;
}

// --- lifecycle ---

void PellXPButton::InitProperties() {
    StoreEnabled(true);
    showFocusRect_ = true;
    useMaskColor_ = true;
    colorScheme_ = 1;
    StoreCaption(host_->DisplayName());
    paint::FontInfo font = host_->Font();
    font.name = "Verdana";
    host_->SetFont(font);
    buttonType_ = 3;
    ApplySetColors();
    StoreBackColor(0xFFFFFF);
    backOver_ = 0xFFFFFF;
    StoreForeColor(palette_.text);
    foreOver_ = 0xFF0000;  // RGB(0, 0, 255)
    maskColor_ = 0xC0C0C0;
    picturePosition_ = specialEffect_ = 0;
    softBevel_ = useGreyscale_ = checkBox_ = value_ = false;
    pictureNormal_.reset();
    pictureOver_.reset();
    ApplyMeasurePicture();
    ApplyLayoutCaption();
    handFlag_ = true;
    imageIndex_ = 0;
}

void PellXPButton::ReadProperties(const PropertyBag& bag) {
    StoreCaption(bag.ReadString("TX", ""));
    StoreEnabled(bag.ReadBool("ENAB", true));
    ReadDesign(bag);
}

void PellXPButton::ReadDesign(const PropertyBag& bag) {
    const SystemColors& sys = host_->SysColors();
    buttonType_ = bag.ReadInt32("BTYPE", 2);  // a bag without the key gives the classic look
    host_->SetFont(bag.ReadFont("FONT", host_->Font()));
    colorScheme_ = bag.ReadInt32("COLTYPE", 1);
    showFocusRect_ = bag.ReadBool("FOCUSR", true);
    StoreBackColor(static_cast<Color>(
        bag.ReadInt32("BCOL", static_cast<std::int32_t>(sys[kColorBtnFace]))));
    backOver_ = bag.ReadInt32("BCOLO", BackColor());
    StoreForeColor(static_cast<Color>(
        bag.ReadInt32("FCOL", static_cast<std::int32_t>(sys[kColorBtnText]))));
    foreOver_ = bag.ReadInt32("FCOLO", ForeColor());
    maskColor_ = bag.ReadInt32("MCOL", 0xC0C0C0);
    host_->SetMousePointer(bag.ReadInt16("MPTR", 0));
    host_->SetMouseIcon(bag.ReadPicture("MICON", nullptr));
    pictureNormal_ = bag.ReadPicture("PICN", nullptr);
    pictureOver_ = bag.ReadPicture("PICH", nullptr);
    useMaskColor_ = bag.ReadBool("UMCOL", true);
    softBevel_ = bag.ReadBool("SOFT", false);
    picturePosition_ = bag.ReadInt32("PICPOS", 0);
    useGreyscale_ = bag.ReadBool("NGREY", false);
    specialEffect_ = bag.ReadInt32("FX", 0);
    checkBox_ = bag.ReadBool("CHECK", false);
    value_ = bag.ReadBool("VALUE", false);
    handFlag_ = false;

    host_->SetWindowEnabled(Enabled());
    ApplyMeasurePicture();
    ApplyLayoutCaption();
    ApplyAccessKey();
    imageIndex_ = bag.ReadInt16("ImageIndex", 0);  // stored only; no image is looked up
    // The palette follows the stored colours at once: the Resize that comes before Show draws,
    // and it must not draw in the palette of the constructor's defaults. Show computes it again.
    ApplySetColors();
}

void PellXPButton::WriteProperties(PropertyBag& bag) const {
    bag.Write("BTYPE", buttonType_);
    bag.Write("TX", Caption());
    bag.Write("ENAB", Enabled());
    bag.Write("FONT", host_->Font());
    bag.Write("COLTYPE", colorScheme_);
    bag.Write("FOCUSR", showFocusRect_);
    bag.Write("BCOL", BackColor());
    bag.Write("BCOLO", backOver_);
    bag.Write("FCOL", ForeColor());
    bag.Write("FCOLO", foreOver_);
    bag.Write("MCOL", maskColor_);
    bag.Write("MPTR", host_->MousePointer());
    bag.Write("MICON", host_->MouseIcon());
    bag.Write("PICN", pictureNormal_);
    bag.Write("PICH", pictureOver_);  // PictureOver's key, though its change is reported as PICO
    bag.Write("UMCOL", useMaskColor_);
    bag.Write("SOFT", softBevel_);
    bag.Write("PICPOS", picturePosition_);
    bag.Write("NGREY", useGreyscale_);
    bag.Write("FX", specialEffect_);
    bag.Write("HAND", handFlag_);
    bag.Write("CHECK", checkBox_);
    bag.Write("VALUE", value_);
    bag.Write("ImageIndex", imageIndex_, std::int16_t{0});
}

void PellXPButton::Show() {
    if (buttonType_ == 11) {
        if (!background_) background_.emplace(clientWidth_, clientHeight_);
        CaptureBackground();
    }
    drawingEnabled_ = true;
    ApplySetColors();
    DrawButton(0, true);
}

void PellXPButton::Terminate() {
    drawingEnabled_ = false;
    region_ = {};
    background_.reset();
}

void PellXPButton::Resize(int width, int height) {
    if (resizeGuard_) return;
    clientWidth_ = width;
    clientHeight_ = height;
    ResizeHandling();
}

void PellXPButton::ResizeHandling() {
    if (resizeGuard_) return;
    focusRect_ = FocusRectFor(buttonType_, clientWidth_, clientHeight_);
    ApplyLayoutCaption();
    region_ = BuildRegion(buttonType_, clientWidth_, clientHeight_);
    host_->SetWindowShape(region_);
    if (clientHeight_ != 0) DrawButton(0, true);
}

void PellXPButton::CaptureBackground() {
    resizeGuard_ = true;
    host_->SetControlHeight(0);  // the parent repaints what the button covered
    host_->ProcessPendingMessages();
    if (background_) {
        if (const auto parent = host_->ParentClientPixels()) {
            paint::Surface into = background_->View();
            paint::CopyPixels(into, 0, 0, parent->pixels, parent->left, parent->top,
                              clientWidth_, clientHeight_);
        }
    }
    host_->SetControlHeight(clientHeight_);
    resizeGuard_ = false;
}

// --- methods ---

void PellXPButton::Refresh() {
    if (buttonType_ == 11) CaptureBackground();
    ApplySetColors();
    ApplyLayoutCaption();
    drawingEnabled_ = true;
    DrawButton(lastState_, true);
    ControlModel::Refresh();
}

void PellXPButton::ApplySetColors() { palette_ = PaletteWithBack(BackColor()); }

Palette PellXPButton::PaletteWithBack(OleColor back) const {
    ColorInputs in;
    in.colorScheme = colorScheme_;
    in.buttonType = buttonType_;
    in.backColor = back;
    in.foreColor = ForeColor();
    in.foreOver = foreOver_;
    in.maskColor = maskColor_;
    in.softBevel = softBevel_;
    if (colorScheme_ == 4) {
        in.parentBack = host_->ParentBackColor();
        in.parentText = host_->ParentTextColor();
    }
    return SetColors(in, host_->SysColors());
}

void PellXPButton::ApplyLayoutCaption() {
    layout_ = LayoutCaption(clientWidth_, clientHeight_, picturePosition_, picture_, Caption(),
                            host_->Font(), host_->Text(), layout_);
    if (pictureNormal_ || pictureOver_)
        PlacePicture(clientWidth_, clientHeight_, picturePosition_, Caption(), layout_, picture_);
}

void PellXPButton::DrawButton(int state, bool force) {
    if (checkBox_ && value_) state = 2;
    if (!force && Caption() == lastCaption_ && state == lastState_) return;
    if (clientHeight_ == 0 || !drawingEnabled_) return;
    lastState_ = static_cast<std::uint8_t>(state);
    lastCaption_ = Caption();

    // Hovered under ColorScheme 2, the whole palette of this drawing derives from BackOver.
    const bool hoverPalette = mouseIsOver_ && colorScheme_ == 2;
    if (hoverPalette) palette_ = PaletteWithBack(backOver_);

    ButtonFace& f = look_;
    f = ButtonFace{};
    f.width = clientWidth_;
    f.height = clientHeight_;
    f.buttonType = buttonType_;
    f.colorScheme = colorScheme_;
    f.specialEffect = specialEffect_;
    f.picturePosition = picturePosition_;
    f.enabled = Enabled();
    f.hovered = mouseIsOver_;
    f.focused = hasFocus_;
    f.hostDefault = host_->IsDefaultButton();
    f.showFocusRect = showFocusRect_;
    f.softBevel = softBevel_;
    f.useMaskColor = useMaskColor_;
    f.useGreyscale = useGreyscale_;
    f.palette = palette_;
    f.layout = layout_;
    f.focusRect = focusRect_;
    f.picture = picture_;
    f.caption = lastCaption_;
    f.font = host_->Font();
    f.pictureNormal = pictureNormal_.get();
    f.pictureOver = pictureOver_.get();
    if (buttonType_ == 14 && f.hostDefault) {
        // ButtonType 14 draws the default button's caption bold, laid out in the bold font.
        paint::FontInfo bold = f.font;
        bold.bold = true;
        f.boldLayout = LayoutCaption(clientWidth_, clientHeight_, picturePosition_, picture_,
                                     lastCaption_, bold, host_->Text(), layout_);
    }
    // The caption mode this drawing leaves to the next one, as painting it would: the recipe
    // run on no pixels and without text.
    lookCaptionMode_ = lastCaptionMode_;
    paint::Surface none;
    lastCaptionMode_ = static_cast<std::uint8_t>(PaintButton(none, f, state, lookCaptionMode_));
    hasLook_ = true;

    if (hoverPalette) ApplySetColors();
    host_->Invalidate(*this);
}

bool PellXPButton::Paint(paint::Surface& s) const {
    if (!hasLook_) return false;
    ButtonFace f = look_;
    f.text = host_->Text();
    paint::Surface background;
    if (background_) {
        background = background_->View();
        f.background = &background;
    }
    s.Clear(0);
    PaintButton(s, f, lastState_, lookCaptionMode_);
    return true;
}

void StandaloneButtonHost::Invalidate(const PellXPButton& button) {
    paint::Surface s = surface_.Sized(button.ClientWidth(), button.ClientHeight());
    button.Paint(s);
}

// --- properties ---

void PellXPButton::SetButtonType(std::int32_t v) {
    buttonType_ = v;
    if (v == 5 && !host_->UserMode())
        SetFontBold(true);
    else if (v == 11 && drawingEnabled_)
        CaptureBackground();
    ResizeHandling();
    Changed("BTYPE");
}

void PellXPButton::SetColorScheme(std::int32_t v) {
    colorScheme_ = v;
    ApplySetColors();
    DrawButton(0, true);
    Changed("COLTYPE");
}

void PellXPButton::SetPicturePosition(std::int32_t v) {
    picturePosition_ = v;
    Changed("PICPOS");
    ApplyLayoutCaption();
    RedrawCurrent();
}

void PellXPButton::SetSpecialEffect(std::int32_t v) {
    specialEffect_ = v;
    RedrawCurrent();
    Changed("FX");
}

void PellXPButton::OnBackColorSet() {
    if (!host_->UserMode()) backOver_ = BackColor();  // in the designer the pair moves together
    ApplySetColors();
    RedrawCurrent();
    Changed("BCOL");
}

void PellXPButton::SetBackOver(OleColor c) {
    backOver_ = c;
    ApplySetColors();
    RedrawCurrent();
    Changed("BCOLO");
}

void PellXPButton::OnForeColorSet() {
    if (!host_->UserMode()) foreOver_ = ForeColor();
    ApplySetColors();
    RedrawCurrent();
    Changed("FCOL");
}

void PellXPButton::SetForeOver(OleColor c) {
    foreOver_ = c;
    ApplySetColors();
    RedrawCurrent();
    Changed("FCOLO");
}

void PellXPButton::SetMaskColor(OleColor c) {
    maskColor_ = c;
    ApplySetColors();
    RedrawCurrent();
    Changed("MCOL");
}

void PellXPButton::OnCaptionSet() {
    ApplyAccessKey();
    ApplyLayoutCaption();
    DrawButton(0, true);
    Changed("TX");
}

void PellXPButton::OnEnabledSet() {
    DrawButton(0, true);
    host_->SetWindowEnabled(Enabled());
    Changed("ENAB");
}

void PellXPButton::ChangeFont(const paint::FontInfo& font) {
    host_->SetFont(font);
    ApplyLayoutCaption();
    DrawButton(0, true);
}

void PellXPButton::SetFont(const paint::FontInfo& font) {
    ChangeFont(font);
    Changed("FONT");
}

void PellXPButton::SetFontBold(bool v) {
    paint::FontInfo f = Font();
    f.bold = v;
    ChangeFont(f);
}

void PellXPButton::SetFontItalic(bool v) {
    paint::FontInfo f = Font();
    f.italic = v;
    ChangeFont(f);
}

void PellXPButton::SetFontUnderline(bool v) {
    paint::FontInfo f = Font();
    f.underline = v;
    ChangeFont(f);
}

std::int16_t PellXPButton::FontSize() const {
    // A size from the design data may be anything a double holds; converting one past 16 bits
    // (or NaN) to an integer is undefined, so such sizes read as the nearest 16-bit value.
    const double size = Font().size;
    if (std::isnan(size)) return 0;
    const double rounded = std::nearbyint(size);
    if (rounded <= std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    if (rounded >= std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(rounded);
}

void PellXPButton::SetFontSize(double points) {
    paint::FontInfo f = Font();
    f.size = points;
    ChangeFont(f);
}

void PellXPButton::SetFontName(std::string name) {
    paint::FontInfo f = Font();
    f.name = std::move(name);
    ChangeFont(f);
}

void PellXPButton::SetShowFocusRect(bool v) {
    showFocusRect_ = v;
    RedrawCurrent();
    Changed("FOCUSR");
}

void PellXPButton::SetMousePointer(std::int32_t v) {
    host_->SetMousePointer(static_cast<std::int16_t>(v));
    Changed("MPTR");
}

void PellXPButton::SetMouseIcon(paint::PicturePtr icon) {
    host_->SetMouseIcon(std::move(icon));
    Changed("MICON");
}

void PellXPButton::SetSoftBevel(bool v) {
    softBevel_ = v;
    ApplySetColors();
    RedrawCurrent();
    Changed("SOFT");
}

void PellXPButton::SetPictureNormal(paint::PicturePtr p) {
    pictureNormal_ = std::move(p);
    ApplyMeasurePicture();
    ApplyLayoutCaption();
    RedrawCurrent();
    Changed("PICN");
}

void PellXPButton::SetPictureOver(paint::PicturePtr p) {
    pictureOver_ = std::move(p);
    if (mouseIsOver_) RedrawCurrent();
    Changed("PICO");
}

void PellXPButton::SetUseMaskColor(bool v) {
    useMaskColor_ = v;
    if (pictureNormal_) RedrawCurrent();
    Changed("UMCOL");
}

void PellXPButton::SetUseGreyscale(bool v) {
    useGreyscale_ = v;
    if (pictureNormal_) RedrawCurrent();
    Changed("NGREY");
}

void PellXPButton::SetCheckBoxBehaviour(bool v) {
    checkBox_ = v;
    RedrawCurrent();
    Changed("CHECK");
}

void PellXPButton::SetValue(bool v) {
    value_ = v;
    if (checkBox_) DrawButton(0, true);
    Changed("VALUE");
}

void PellXPButton::SetImageIndex(std::int16_t index) {
    imageIndex_ = index;
    Changed("ImageIndex");
    // The picture of that number from the host's image list, if it has one; no list, or an
    // index outside it, leaves PictureNormal as it is.
    if (index > 0 && index <= host_->ImageCount())
        if (paint::PicturePtr p = host_->Image(index)) SetPictureNormal(std::move(p));
}

}  // namespace controls
