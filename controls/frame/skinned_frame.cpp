#include "controls/frame/skinned_frame.h"

#include <algorithm>
#include <cmath>

#include "controls/paint/raster.h"
#include "controls/paint/stretch.h"

namespace controls {

namespace {

constexpr paint::Rgb kCaptionColor = 0xFFFFFF;
constexpr paint::Rgb kShadowColor = 0x000000;

// Window styles that LoadXP clears and sets.
constexpr std::uint32_t kClearFrameStyles = 0xFF38FFFFu;  // WS_BORDER, WS_DLGFRAME,
                                                          // WS_THICKFRAME, WS_MIN/MAXIMIZEBOX
constexpr std::uint32_t kWsSysMenu = 0x00080000u;
// LoadXP's fixed conversions: 15 twips per pixel for SetWindowPos, whatever the screen, and the
// height of the system title bar it adds and takes away again (the two differ by 10 twips).
constexpr float kFixedTwipsPerPixel = 15.0f;
constexpr float kTitleAllowanceTwips = 375.0f;
constexpr float kTitleRemovalTwips = 365.0f;

int FloorPx(float v) { return static_cast<int>(std::floor(v)); }

}  // namespace

const char* ToolTipOf(FramePiece piece) {
    switch (piece) {
    case FramePiece::CloseButton: return "Close";
    case FramePiece::MaximizeButton: return "Maximize";
    case FramePiece::MinimizeButton: return "Minimize";
    default: return nullptr;
    }
}

paint::Rect PieceBox::Pixels() const {
    return {FloorPx(left), FloorPx(top), FloorPx(left + width), FloorPx(top + height)};
}

int RoundHalfEven(float v) {
    const float f = std::floor(v);
    const float d = v - f;
    int n = static_cast<int>(f);
    if (d > 0.5f || (d == 0.5f && (n % 2 != 0))) ++n;
    return n;
}

paint::RegionData RoundedTopRegion(float w, float h) {
    // Rows 0 to 4 lose 5, 3, 2, 1 and 1 pixels at each end; the union of the six rectangles as
    // CombineRgn with RGN_OR would leave it, in the banded order of a region's data.
    const paint::Rect rects[] = {
        {5, 0, RoundHalfEven(w - 5), 1}, {3, 1, RoundHalfEven(w - 3), 2},
        {2, 2, RoundHalfEven(w - 2), 3}, {1, 3, RoundHalfEven(w - 1), 4},
        {1, 4, RoundHalfEven(w - 1), 5}, {0, 5, RoundHalfEven(w), RoundHalfEven(h)},
    };
    int right = 0, bottom = 0;
    for (const auto& r : rects) {
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
    }
    return paint::RegionFromMask(right, bottom, [&](int x, int y) {
        for (const auto& r : rects)
            if (r.Contains(x, y)) return true;
        return false;
    });
}

SkinnedFrame::SkinnedFrame(int id, FrameSkin skin, bool captionButtons)
    : ControlModel(id, ControlKind::SkinnedFrame, ""),
      skin_(skin),
      captionButtons_(captionButtons) {
    // The design's picture sizes; pictures, once set, give the unstretched pieces their own.
    auto design = [&](FramePiece p, float w, float h, bool visible) {
        PieceBox& b = B(p);
        b.width = w, b.height = h, b.visible = visible;
    };
    design(FramePiece::TitleLeft, 10, 30, true);
    design(FramePiece::Title, 1, 30, true);
    design(FramePiece::TitleRight, 10, 30, true);
    design(FramePiece::Left, 4, 1, true);
    design(FramePiece::Right, 4, 1, true);
    design(FramePiece::Bottom, 1, 4, true);
    design(FramePiece::BottomLeft, 4, 4, true);
    design(FramePiece::BottomRight, 4, 4, true);
    design(FramePiece::TitleIcon, 19, 17, false);
    design(FramePiece::Caption1, 80, kCaptionHeight, true);
    design(FramePiece::Caption2, 89, kCaptionHeight, true);
    design(FramePiece::CloseButton, 21, 21, captionButtons_);
    design(FramePiece::MaximizeButton, 21, 21, false);
    design(FramePiece::MinimizeButton, 21, 21, false);
    SetBackColor(0xEAF1F1);

    // Initialize.
    edgesTransparent_ = false;
    RePos();
}

void SkinnedFrame::SetHost(FrameHost* host) {
    // The drawing made before a window took the frame would stay in memory as long as the
    // frame: the frame's whole size in pixels.
    if (host && host != &ownHost_) ownHost_.ForgetDrawing();
    host_ = host ? host : &ownHost_;
}

bool SkinnedFrame::HasPiece(FramePiece piece) const {
    switch (piece) {
    case FramePiece::None: return false;
    case FramePiece::CloseButton:
    case FramePiece::MaximizeButton:
    case FramePiece::MinimizeButton: return captionButtons_;
    default: return true;
    }
}

void SkinnedFrame::SetPictures(FramePictures pictures) {
    pictures_ = std::move(pictures);
    auto autosize = [&](FramePiece p, const paint::PicturePtr& pic) {
        if (!pic) return;
        B(p).width = static_cast<float>(pic->Width());
        B(p).height = static_cast<float>(pic->Height());
    };
    autosize(FramePiece::TitleLeft, pictures_.titleLeft);
    autosize(FramePiece::TitleRight, pictures_.titleRight);
    autosize(FramePiece::BottomLeft, pictures_.bottomLeft);
    autosize(FramePiece::BottomRight, pictures_.bottomRight);
    if (captionButtons_) {
        autosize(FramePiece::CloseButton, pictures_.closeButton);
        autosize(FramePiece::MaximizeButton, pictures_.maximizeButton);
        autosize(FramePiece::MinimizeButton, pictures_.minimizeButton);
    }
    closeState_ = 1;
    RePos();
}

void SkinnedFrame::LoadPictures(const PictureLoader& load) {
    SetPictures(LoadFramePictures(skin_, captionButtons_, load));
}

// --- layout ---

void SkinnedFrame::SetOwnSize(float widthTwips, float heightTwips) {
    if (widthTwips == widthTwips_ && heightTwips == heightTwips_) return;
    widthTwips_ = widthTwips;
    heightTwips_ = heightTwips;
    host_->ControlResized(widthTwips_, heightTwips_);
    RePos();  // the Resize event
}

void SkinnedFrame::Resize(float widthTwips, float heightTwips) {
    widthTwips_ = widthTwips;
    heightTwips_ = heightTwips;
    RePos();
}

void SkinnedFrame::RePos() {
    // 1. Each raise resizes the control, whose Resize lays it out completely before the steps
    // below run again on the new size.
    if (heightTwips_ < kFrameMinHeightTwips) SetOwnSize(widthTwips_, kFrameMinHeightTwips);
    if (widthTwips_ < kFrameMinWidthTwips) SetOwnSize(kFrameMinWidthTwips, heightTwips_);

    // 2.
    const float W = widthTwips_ / host_->TwipsPerPixelX();
    const float H = heightTwips_ / host_->TwipsPerPixelY();

    PieceBox& titleLeft = B(FramePiece::TitleLeft);
    PieceBox& title = B(FramePiece::Title);
    PieceBox& titleRight = B(FramePiece::TitleRight);
    PieceBox& bottomLeft = B(FramePiece::BottomLeft);
    PieceBox& bottomRight = B(FramePiece::BottomRight);
    PieceBox& left = B(FramePiece::Left);
    PieceBox& right = B(FramePiece::Right);
    PieceBox& bottom = B(FramePiece::Bottom);
    PieceBox& close = B(FramePiece::CloseButton);
    PieceBox& maximize = B(FramePiece::MaximizeButton);
    PieceBox& minimize = B(FramePiece::MinimizeButton);
    PieceBox& icon = B(FramePiece::TitleIcon);
    PieceBox& caption1 = B(FramePiece::Caption1);
    PieceBox& caption2 = B(FramePiece::Caption2);

    titleLeft.left = 0, titleLeft.top = 0;                                    // 3.
    title.left = titleLeft.width, title.top = 0;                              // 4.
    title.width = W - titleLeft.width - titleRight.width;
    titleRight.left = title.R(), titleRight.top = 0;                          // 5.
    bottomLeft.left = 0, bottomLeft.top = H - bottomLeft.height;              // 6.
    bottomRight.left = W - bottomRight.width;                                 // 7.
    bottomRight.top = H - bottomRight.height;
    left.left = 0, left.top = titleLeft.B();                                  // 8.
    left.height = bottomLeft.top - left.top;
    right.left = W - right.width, right.top = titleRight.B();                 // 9.
    right.height = bottomRight.top - right.top;
    bottom.left = bottomLeft.width, bottom.top = H - bottom.height;           // 10.
    bottom.width = W - bottomLeft.width - bottomRight.width;

    if (captionButtons_) {                                                    // 11. to 13.
        close.left = right.left - close.width - 2;
        close.top = (title.height - close.height) / 2;
        maximize.left = close.left - maximize.width - 2;
        maximize.top = (title.height - maximize.height) / 2;
        minimize.left = maximize.left - minimize.width - 2;
        minimize.top = (title.height - minimize.height) / 2;
    }

    icon.left = left.R() + 2;                                                 // 14.
    icon.top = (title.height - icon.height) / 2.5f;

    caption1.left = icon.visible ? icon.R() + 3 : left.R() + 2.5f;            // 15.
    caption1.top = (title.height - kCaptionHeight) / 2 - 1;

    if (captionButtons_) {                                                    // 16.
        float width = minimize.left - icon.R() - 10;
        if (!minimize.visible) width = maximize.left - icon.R() - 10;
        if (!icon.visible && !minimize.visible) width = maximize.left - left.R() - 10;
        if (!maximize.visible && !minimize.visible) width = close.left - icon.R() - 10;
        if (!icon.visible && !maximize.visible && !minimize.visible)
            width = close.left - left.R() - 10;
        caption1.width = width;
        caption1.height = kCaptionHeight;
    }

    caption2.left = icon.visible ? icon.R() + 2 : left.R() + 1.5f;            // 17.
    caption2.top = (title.height - kCaptionHeight) / 2 + 1;
    caption2.width = caption1.width;
    caption2.height = kCaptionHeight;

    if (edgesTransparent_) ReTrans();                                         // 18.
    Redraw();
}

void SkinnedFrame::TransparentEdges() {
    edgesTransparent_ = true;
    RePos();
}

void SkinnedFrame::ReTrans() {
    if (heightTwips_ < kFrameMinHeightTwips) SetOwnSize(widthTwips_, kFrameMinHeightTwips);
    if (widthTwips_ < kFrameMinWidthTwips) SetOwnSize(kFrameMinWidthTwips, heightTwips_);
    host_->SetContainerShape(RoundedTopRegion(widthTwips_ / host_->TwipsPerPixelX(),
                                              heightTwips_ / host_->TwipsPerPixelY()));
}

void SkinnedFrame::SetPieceVisible(FramePiece piece, bool visible) {
    if (!HasPiece(piece)) return;  // the about frames have no caption buttons
    B(piece).visible = visible;
}

void SkinnedFrame::SetCaption1Text(std::string text) {
    caption1_ = std::move(text);
    caption2_ = caption1_;  // Caption1_Change
    Redraw();
}

// --- LoadXP ---

void SkinnedFrame::StripFormBorder(FrameForm& form) {
    std::uint32_t style = form.WindowStyle();
    style &= kClearFrameStyles;
    style |= kWsSysMenu;
    form.SetWindowStyle(style);
    form.SetWindowPos(RoundHalfEven(form.Left() / kFixedTwipsPerPixel),
                      RoundHalfEven(form.Top() / kFixedTwipsPerPixel),
                      RoundHalfEven(form.Width() / kFixedTwipsPerPixel),
                      RoundHalfEven(form.Height() / kFixedTwipsPerPixel));
    if (form.BorderStyle() != 0) form.SetHeight(form.Height() - kTitleRemovalTwips);
    form.SetLeft((host_->ScreenWidthTwips() - form.Width()) / 2);
    form.SetTop((host_->ScreenHeightTwips() - form.Height()) / 2);
}

void SkinnedFrame::ShapeFormRegion(FrameForm& form) {
    if (form.Height() < kFrameMinHeightTwips) form.SetHeight(kFrameMinHeightTwips);
    if (form.Width() < kFrameMinWidthTwips) form.SetWidth(kFrameMinWidthTwips);
    form.SetWindowShape(RoundedTopRegion(form.Width() / host_->TwipsPerPixelX(),
                                         form.Height() / host_->TwipsPerPixelY()));
}

void SkinnedFrame::LoadXP() {
    B(FramePiece::TitleIcon).visible = false;                    // 1.
    myForm_ = host_->ParentForm();                               // 2.
    if (!myForm_) return;
    FrameForm& form = *myForm_;
    SetCaption1Text(form.Caption());                             // 3.
    form.SetWidth(widthTwips_);                                  // 4.
    form.SetHeight(heightTwips_);
    if (form.BorderStyle() != 0) form.SetHeight(heightTwips_ + kTitleAllowanceTwips);
    StripFormBorder(form);                                       // 5.
    SetOwnSize(form.Width(), heightTwips_);                      // 6.
    SetOwnSize(widthTwips_, form.Height());
    ShapeFormRegion(form);                                       // 7.
    host_->ProcessPendingMessages();                             // 8.
    form.Hide();                                                 // 9.
}

// --- input ---

FramePiece SkinnedFrame::PieceAt(int x, int y) const {
    // Top-most first: the caption buttons lie on the title, the captions on the title.
    static constexpr FramePiece kOrder[] = {
        FramePiece::CloseButton, FramePiece::MaximizeButton, FramePiece::MinimizeButton,
        FramePiece::Caption1,    FramePiece::Caption2,       FramePiece::TitleIcon,
        FramePiece::TitleLeft,   FramePiece::Title,          FramePiece::TitleRight,
        FramePiece::Left,        FramePiece::Right,          FramePiece::Bottom,
        FramePiece::BottomLeft,  FramePiece::BottomRight};
    for (FramePiece p : kOrder) {
        if (!HasPiece(p)) continue;
        const PieceBox& b = Box(p);
        if (b.visible && b.Pixels().Contains(x, y)) return p;
    }
    return FramePiece::None;
}

void SkinnedFrame::MouseDown(int button, int x, int y) {
    const FramePiece piece = PieceAt(x, y);
    pressedPiece_ = (button & 1) ? piece : FramePiece::None;
    PieceMouseDown(piece, button);
}

void SkinnedFrame::MouseMove(int button, int x, int y) { PieceMouseMove(PieceAt(x, y), button); }

void SkinnedFrame::MouseUp(int button, int x, int y) {
    const FramePiece pressed = pressedPiece_;
    pressedPiece_ = FramePiece::None;
    // A click is the left button pressed and released on the same piece.
    if ((button & 1) && pressed != FramePiece::None && PieceAt(x, y) == pressed)
        PieceClick(pressed);
}

void SkinnedFrame::FormMouseMove() {
    if (captionButtons_ && myForm_) SetCloseState(1);
}

void SkinnedFrame::PieceMouseDown(FramePiece piece, int /*button: any button drags*/) {
    switch (piece) {
    case FramePiece::Title:
    case FramePiece::TitleLeft:
    case FramePiece::TitleRight:
    case FramePiece::Caption1:
    case FramePiece::Caption2: host_->DragContainer(); break;
    default: break;
    }
}

void SkinnedFrame::PieceMouseMove(FramePiece piece, int button) {
    if (!captionButtons_) return;
    if (piece == FramePiece::CloseButton)
        SetCloseState((button & 1) ? 3 : 2);
    else if (piece == FramePiece::Title)
        SetCloseState(1);
}

void SkinnedFrame::PieceClick(FramePiece piece) {
    if (!captionButtons_ || piece != FramePiece::CloseButton) return;
    if (onCloseClick) onCloseClick();
}

void SkinnedFrame::SetCloseState(int state) {
    if (state == closeState_) return;
    closeState_ = state;
    // An image that is not stretched takes the size of its new picture (the pressed picture of
    // the 256-colour set is one pixel wider); its place stays until the next layout.
    if (const auto& pic = pictures_.closeStates[static_cast<std::size_t>(state - 1)]) {
        B(FramePiece::CloseButton).width = static_cast<float>(pic->Width());
        B(FramePiece::CloseButton).height = static_cast<float>(pic->Height());
    }
    Redraw();
}

// --- drawing ---

void SkinnedFrame::Draw(paint::Surface& s) const {
    auto piece = [&](FramePiece p, const paint::PicturePtr& pic, bool stretched) {
        const PieceBox& b = Box(p);
        if (!b.visible || !pic) return;
        const paint::Rect r = b.Pixels();
        const paint::Surface src = pic->pixels.View();
        if (stretched)
            paint::StretchPixels(s, r.left, r.top, r.Width(), r.Height(), src, 0, 0, pic->Width(),
                                 pic->Height());
        else
            paint::CopyPixels(s, r.left, r.top, src, 0, 0, pic->Width(), pic->Height());
    };
    piece(FramePiece::TitleLeft, pictures_.titleLeft, false);
    piece(FramePiece::Title, pictures_.title, true);
    piece(FramePiece::TitleRight, pictures_.titleRight, false);
    piece(FramePiece::Left, pictures_.left, true);
    piece(FramePiece::Right, pictures_.right, true);
    piece(FramePiece::Bottom, pictures_.bottom, true);
    piece(FramePiece::BottomLeft, pictures_.bottomLeft, false);
    piece(FramePiece::BottomRight, pictures_.bottomRight, false);
    if (captionButtons_) {
        piece(FramePiece::MinimizeButton, pictures_.minimizeButton, false);
        piece(FramePiece::MaximizeButton, pictures_.maximizeButton, false);
        piece(FramePiece::CloseButton,
              pictures_.closeStates[static_cast<std::size_t>(closeState_ - 1)]
                  ? pictures_.closeStates[static_cast<std::size_t>(closeState_ - 1)]
                  : pictures_.closeButton,
              false);
    }

    // The labels: left-aligned, clipped to their box by the text renderer's measure. The
    // shadow copy goes first so that the white text lies on top of it.
    paint::TextRenderer* text = host_->Text();
    if (!text) return;
    auto label = [&](FramePiece p, const std::string& str, paint::Rgb color) {
        const PieceBox& b = Box(p);
        paint::Rect box = b.Pixels();
        if (!b.visible || str.empty() || box.Empty()) return;
        const paint::Rect measured = text->Measure(str, captionFont_, box);
        box.right = box.left + std::min(measured.Width(), box.Width());
        text->Draw(s, str, captionFont_, box, color);
    };
    label(FramePiece::Caption2, caption2_, kShadowColor);
    label(FramePiece::Caption1, caption1_, kCaptionColor);
}

void SkinnedFrame::Redraw() {
    const int w = RoundHalfEven(widthTwips_ / host_->TwipsPerPixelX());
    const int h = RoundHalfEven(heightTwips_ / host_->TwipsPerPixelY());
    if (w <= 0 || h <= 0) return;
    paint::Surface s = host_->DrawingSurface(w, h);
    host_->PaintBeneath(s);
    Draw(s);
    host_->SurfaceDrawn();
}

}  // namespace controls
