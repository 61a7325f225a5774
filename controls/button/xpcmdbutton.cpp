#include "controls/button/xpcmdbutton.h"

#include <cmath>

#include "controls/paint/stretch.h"

namespace controls {

namespace {

// An AutoSize label measures its text on one line; this box is wide enough for any caption.
constexpr int kMeasureExtent = 32767;

}  // namespace

xpcmdbutton::xpcmdbutton(int id, std::string caption)
    : ClickableModel(id, ControlKind::SmallButton, std::move(caption)) {
    RefreshLook();  // Initialize
}

void xpcmdbutton::SetHost(CmdButtonHost* host) {
    // The look painted before a window took the button is shown nowhere from then on.
    if (host && host != &ownHost_) ownHost_.ForgetDrawing();
    host_ = host ? host : &ownHost_;
}

// --- lifecycle ---

void xpcmdbutton::InitProperties() {
    SetEnabled(true);
    SetCaption(host_->DisplayName());
    SetFont(host_->AmbientFont());
}

void xpcmdbutton::ReadProperties(const PropertyBag& bag) {
    SetState(bag.ReadInt32("State", 0));
    SetEnabled(bag.ReadBool("Enabled", true));
    SetCaption(bag.ReadString("Caption", host_->DisplayName()));
    SetFont(bag.ReadFont("Font", host_->AmbientFont()));
}

void xpcmdbutton::ReadDesign(const PropertyBag& bag) {
    SetState(bag.ReadInt32("State", 0));
    OnEnabledSet();  // the enabled state and caption the button has reach its host
    OnCaptionSet();
    SetFont(bag.ReadFont("Font", host_->AmbientFont()));
}

void xpcmdbutton::WriteProperties(PropertyBag& bag) const {
    bag.Write("State", state_, std::int32_t{0});
    bag.Write("Enabled", Enabled(), true);
    bag.Write("Caption", Caption(), host_->DisplayName());
    bag.Write("Font", font_);
}

void xpcmdbutton::Resize(int width, int height) {
    width_ = width;
    height_ = height;
    ResizeHandling();
}

void xpcmdbutton::ResizeHandling() {
    RefreshLook();
    MeasureLabel();
    label_.top = (static_cast<float>(height_) - static_cast<float>(label_.height)) / 2;
    label_.left = (static_cast<float>(width_) - static_cast<float>(label_.width)) / 2;
    // The label moved: the skin under its old place and the label at its new one.
    if (paintedCell_ >= 0) PaintSkin(paintedCell_);
}

void xpcmdbutton::MeasureLabel() {
    label_.width = label_.height = 0;
    paint::TextRenderer* text = host_->Text();
    if (!text || Caption().empty()) return;
    const paint::Rect r = text->Measure(Caption(), font_, {0, 0, kMeasureExtent, kMeasureExtent});
    label_.width = r.Width();
    label_.height = r.Height();
}

// --- properties ---

void xpcmdbutton::SetState(std::int32_t state) {
    state_ = state;
    Changed("State");
    RefreshLook();
}

void xpcmdbutton::OnEnabledSet() {
    const bool enabled = Enabled();
    host_->SetWindowEnabled(enabled);
    Changed("Enabled");
    RefreshLook();
    labelColor_ = enabled ? kEnabledText : kDisabledText;
    if (paintedCell_ >= 0) PaintSkin(paintedCell_);  // the label in its new colour
}

void xpcmdbutton::OnCaptionSet() {
    ResizeHandling();  // the label's Change event
    Changed("Caption");
}

void xpcmdbutton::SetFont(const paint::FontInfo& font) {
    font_ = font;
    host_->SetWindowFont(font_);
    ResizeHandling();
    Changed("Font");
}

// --- input ---

void xpcmdbutton::EnableTimer(bool enabled) {
    if (timerEnabled_ == enabled) return;
    timerEnabled_ = enabled;
    host_->SetTimer(enabled, kTimerInterval);
}

void xpcmdbutton::TimerTick() {
    const CursorPoint p = host_->CursorInClient();
    // The right and bottom edges themselves still count as inside.
    if (p.x < 0 || p.y < 0 || p.x > width_ || p.y > height_) {
        EnableTimer(false);
        if (onMouseOut) onMouseOut();
        RefreshLook();
    }
}

void xpcmdbutton::MouseMove(int button, int shift, float x, float y) {
    EnableTimer(true);
    if (x >= 0 && x <= static_cast<float>(width_) && y >= 0 && y <= static_cast<float>(height_)) {
        if (onMouseMove) onMouseMove(button, shift, x, y);
        PaintSkin(button == 1 ? kCellPressed : kCellHover);
    }
}

void xpcmdbutton::MouseDown(int button, int shift, float x, float y) {
    if (onMouseDown) onMouseDown(button, shift, x, y);
    PaintSkin(kCellPressed);
}

void xpcmdbutton::MouseUp(int button, int shift, float x, float y) {
    if (onMouseUp) onMouseUp(button, shift, x, y);
    RefreshLook();
}

// The keys raise their events only: the space bar gives no click.
void xpcmdbutton::KeyDown(int keyCode, int shift) {
    if (onKeyDown) onKeyDown(keyCode, shift);
}
void xpcmdbutton::KeyPress(int keyAscii) {
    if (onKeyPress) onKeyPress(keyAscii);
}
void xpcmdbutton::KeyUp(int keyCode, int shift) {
    if (onKeyUp) onKeyUp(keyCode, shift);
}

// --- drawing ---

void xpcmdbutton::RefreshLook() {
    if (state_ == 1)
        currentLook_ = kCellSelected;
    else if (state_ == 0)
        currentLook_ = kCellNormal;
    // Any other State keeps the look it had.
    PaintSkin(Enabled() ? currentLook_ : kCellDisabled);
}

void xpcmdbutton::PaintSkin(int k) {
    paintedCell_ = k;
    if (width_ <= 0 || height_ <= 0) return;
    host_->Invalidate(*this);
}

bool xpcmdbutton::Paint(paint::Surface& s) const {
    const int W = width_, H = height_;
    if (paintedCell_ < 0 || W <= 0 || H <= 0) return false;
    if (skin_) {
        // The cell is cut from the skin where it lies; no separate picture is made of it.
        const paint::Surface src = skin_->pixels.View();
        const int c = paintedCell_ * kCellWidth;
        struct Piece {
            int dx, dy, dw, dh, sx, sy, sw, sh;
        };
        const Piece pieces[] = {
            {0, 0, 3, 3, 0, 0, 3, 3},                  // top-left corner
            {W - 3, 0, 3, 3, 15, 0, 3, 3},             // top-right
            {W - 3, H - 3, 3, 3, 15, 18, 3, 3},        // bottom-right
            {0, H - 3, 3, 3, 0, 18, 3, 3},             // bottom-left
            {3, 0, W - 6, 3, 3, 0, 12, 3},             // top edge, stretched
            {W - 3, 3, 3, H - 6, 15, 3, 3, 15},        // right edge
            {0, 3, 3, H - 6, 0, 3, 3, 15},             // left edge
            {3, H - 3, W - 6, 3, 3, 18, 12, 3},        // bottom edge
            {3, 3, W - 6, H - 6, 3, 3, 12, 15},        // centre
        };
        for (const Piece& p : pieces)
            paint::StretchPixels(s, p.dx, p.dy, p.dw, p.dh, src, c + p.sx, p.sy, p.sw, p.sh);
    }
    // The label stays on top of the skin.
    paint::TextRenderer* text = host_->Text();
    if (text && !Caption().empty() && label_.width > 0) {
        const int x = static_cast<int>(std::floor(label_.left));
        const int y = static_cast<int>(std::floor(label_.top));
        text->Draw(s, Caption(), font_, {x, y, x + label_.width, y + label_.height}, labelColor_);
    }
    return true;
}

void StandaloneCmdButtonHost::Invalidate(const xpcmdbutton& button) {
    paint::Surface s = surface_.Sized(button.ClientWidth(), button.ClientHeight());
    button.Paint(s);
}

}  // namespace controls
