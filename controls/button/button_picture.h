#pragma once
// The push button's picture: drawn beside, above, below or behind the caption, greyed, tinted
// into silhouettes for relief and the disabled look, all through one per-pixel routine.
#include "controls/button/button_colors.h"
#include "controls/button/button_face.h"
#include "controls/paint/picture.h"
#include "controls/paint/surface.h"

namespace controls {

struct ImageFlags {
    Rgb mask = 0;
    bool useMaskColor = true;
    long tint = -1;  // an RGB colour, or negative for none
    bool lightSkip = false;
    bool grey = false;
    bool blend = false;
};

// PaintImage: the w x h top-left block of the picture onto target at (x, y). Pixels beyond the
// picture's own size read as black, as a blit from a smaller bitmap leaves the buffer's pixels.
void PaintImage(paint::Surface& target, int x, int y, int w, int h, const paint::Picture& picture,
                const ImageFlags& flags);

// DrawPicture for picture state 0 up, 1 down, 2 disabled, with the palette of this drawing.
// Returns false, having drawn nothing, when there is no PictureNormal.
bool DrawPicture(paint::Surface& s, const ButtonFace& f, const Palette& pal, int pictureState);

}  // namespace controls
