#pragma once
// The picture-drawn window frame that XPF, MorvXPF, XPFAbout and XPFAbout256 share: a title bar
// of three pieces, thin borders, the caption (white text over a black shadow copy) and, in the
// main window's frames, a close button with three pictures, plus maximise and minimise buttons
// that are hidden and do nothing. The frame lays out its pieces in single-precision pixels
// whenever it is created or resized, lets the user drag the container window by its title, and
// reports a click on its close button to its form.
//
// The control's own size is in twips, as the form gives it; everything inside is in pixels,
// W = Width / TwipsPerPixelX and H = Height / TwipsPerPixelY.
#include <array>
#include <functional>
#include <string>

#include "controls/control_model.h"
#include "controls/frame/frame_host.h"
#include "controls/frame/frame_pictures.h"
#include "controls/paint/geometry.h"
#include "controls/paint/region.h"
#include "controls/paint/surface.h"
#include "controls/paint/text.h"

namespace controls {

// The constituents, by their names in the form design.
enum class FramePiece {
    None,
    TitleLeft,
    Title,
    TitleRight,
    Left,
    Right,
    Bottom,
    BottomLeft,
    BottomRight,
    TitleIcon,
    Caption1,
    Caption2,
    CloseButton,
    MaximizeButton,
    MinimizeButton,
};
inline constexpr int kFramePieceCount = 15;

// A constituent's place in pixels, as the layout computes it (fractions included).
struct PieceBox {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool visible = true;

    float R() const { return left + width; }
    float B() const { return top + height; }
    // The whole pixels it covers when drawn: every edge is cut to the pixel at or before it, so
    // a piece at 4.5 starts on pixel 4 and pieces that abut in fractions abut in pixels too.
    paint::Rect Pixels() const;
};

inline constexpr float kFrameMinWidthTwips = 1695.0f;
inline constexpr float kFrameMinHeightTwips = 615.0f;
// Caption label geometry of the design.
inline constexpr float kCaptionHeight = 13.0f;

// 0xEAF1F1, as the decimal text DefaultBackgroundColor returns.
inline constexpr const char* kFrameDefaultBackground = "15397361";

// The tool tip of a caption button ("Close", "Maximize", "Minimize"); nullptr for the other
// pieces, which have none.
const char* ToolTipOf(FramePiece piece);

// Round half to even, the conversion the region uses for its right and bottom edges.
int RoundHalfEven(float v);

// The shape with round top corners of a W x H pixel window: rows 0 to 4 lose 5, 3, 2, 1 and 1
// pixels at both ends, the rest is whole. Right and bottom edges are whole pixels by RoundHalfEven.
paint::RegionData RoundedTopRegion(float w, float h);

class SkinnedFrame : public ControlModel {
public:
    // Creates the frame and lays it out (Initialize). captionButtons: the main window's frames
    // have the close, maximise and minimise buttons; the about window's have none.
    SkinnedFrame(int id, FrameSkin skin, bool captionButtons);

    // The host's services; nullptr returns to the built-in stand-in. The host must outlive the
    // frame or be detached.
    void SetHost(FrameHost* host);
    FrameHost& Host() const { return *host_; }

    FrameSkin Skin() const { return skin_; }
    bool HasCaptionButtons() const { return captionButtons_; }

    // The pictures of the design. Pieces that are not stretched take their picture's size.
    void SetPictures(FramePictures pictures);
    void LoadPictures(const PictureLoader& load);
    const FramePictures& Pictures() const { return pictures_; }

    // --- public methods ---
    void RePos();
    void TransparentEdges();
    void ReTrans();
    std::string DefaultBackgroundColor() const { return kFrameDefaultBackground; }
    void LoadXP();

    // --- events from the host ---
    // The control was resized (twips).
    void Resize(float widthTwips, float heightTwips);
    // The control ends: the bound form is released.
    void Terminate() { myForm_ = nullptr; }
    // Mouse input on the control, in client pixels; button is the mask of buttons (1 left,
    // 2 right, 4 middle): the one pressed or released, or those held while moving.
    void MouseDown(int button, int x, int y);
    void MouseMove(int button, int x, int y);
    void MouseUp(int button, int x, int y);
    // A mouse move over the bound form (MYFORM), outside the control's pieces.
    void FormMouseMove();

    // The visible piece under client pixel (x, y), top-most first; None over the bare control.
    FramePiece PieceAt(int x, int y) const;
    // The handlers of the pieces.
    void PieceMouseDown(FramePiece piece, int button);
    void PieceMouseMove(FramePiece piece, int button);
    void PieceClick(FramePiece piece);

    // Raised by a click on the close button; the form unloads. A failure (an exception) of the
    // handler is ignored and the frame stays as it was.
    std::function<void()> onCloseClick;

    // --- design and state ---
    float WidthTwips() const { return widthTwips_; }
    float HeightTwips() const { return heightTwips_; }
    const PieceBox& Box(FramePiece piece) const { return boxes_[Index(piece)]; }
    // Shows or hides a piece as the form design does (TitleIcon, the caption buttons).
    void SetPieceVisible(FramePiece piece, bool visible);

    const std::string& Caption1Text() const { return caption1_; }
    // Caption2 follows at once, as the label's change event copies it.
    void SetCaption1Text(std::string text);
    const std::string& Caption2Text() const { return caption2_; }
    const paint::FontInfo& CaptionFont() const { return captionFont_; }

    bool EdgesTransparent() const { return edgesTransparent_; }
    FrameForm* BoundForm() const { return myForm_; }
    // Which Cb_CLose picture the close button shows: 1 normal, 2 hot, 3 pressed.
    int CloseState() const { return closeState_; }

    // --- drawing ---
    // The pieces and the caption onto s, which holds the background already.
    void Draw(paint::Surface& s) const;
    // The whole drawing, on the host's surface: what lies beneath the control on its container
    // (the host's PaintBeneath), then Draw. The surface is then exactly what the screen shows.
    void Redraw();

private:
    static int Index(FramePiece piece) { return static_cast<int>(piece); }
    PieceBox& B(FramePiece piece) { return boxes_[Index(piece)]; }
    // The control sets its own size: the host follows, and the Resize event lays out again.
    void SetOwnSize(float widthTwips, float heightTwips);
    void SetCloseState(int state);
    void StripFormBorder(FrameForm& form);
    void ShapeFormRegion(FrameForm& form);
    bool HasPiece(FramePiece piece) const;

    FrameSkin skin_;
    bool captionButtons_;
    float widthTwips_ = 0;
    float heightTwips_ = 0;
    std::array<PieceBox, kFramePieceCount> boxes_{};
    FramePictures pictures_;
    std::string caption1_ = "Morv Dravik";
    std::string caption2_ = "Morv Dravik";
    paint::FontInfo captionFont_{"MS Sans Serif", 8.25, true};
    bool edgesTransparent_ = false;
    FrameForm* myForm_ = nullptr;
    int closeState_ = 1;
    FramePiece pressedPiece_ = FramePiece::None;

    StandaloneFrameHost ownHost_;
    FrameHost* host_ = &ownHost_;
};

}  // namespace controls
