#pragma once
// Where the push button puts its caption and picture, the focus frame, and its window shape.
#include <string_view>

#include "controls/paint/geometry.h"
#include "controls/paint/picture.h"
#include "controls/paint/region.h"
#include "controls/paint/text.h"

namespace controls {

using paint::Rect;

struct CaptionLayout {
    Rect captionRect;
    Rect pressedCaptionRect;  // captionRect moved one pixel right and down
    int textWidth = 0;
    int textHeight = 0;
    bool operator==(const CaptionLayout&) const = default;
};

struct PictureBox {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PictureBox&) const = default;
};

// LayoutCaption for a w x h client with the picture size in box. The start box for a
// PicturePosition outside 0..4 is the previous caption rectangle. Without a text renderer the
// caption measures empty.
CaptionLayout LayoutCaption(int w, int h, int picturePosition, const PictureBox& picture,
                            std::string_view caption, const paint::FontInfo& font,
                            paint::TextRenderer* text, const CaptionLayout& previous);

// PlacePicture: the picture's left and top for the caption layout; unchanged for a
// PicturePosition outside 0..4 with a caption that is not blank.
void PlacePicture(int w, int h, int picturePosition, std::string_view caption,
                  const CaptionLayout& layout, PictureBox& picture);

// MeasurePicture: width and height of PictureNormal, 0 without one. Pictures here carry their
// size in pixels, so the conversion from 0.01 mm at the screen's resolution falls away.
void MeasurePicture(const paint::Picture* normal, PictureBox& picture);

// The rectangle of the dotted focus frame in a w x h client (Resize).
Rect FocusRectFor(int buttonType, int w, int h);

// BuildRegion: the window shape of a w x h button of the type.
paint::RegionData BuildRegion(int buttonType, int w, int h);

}  // namespace controls
