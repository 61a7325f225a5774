#pragma once
// StretchBlt with SRCCOPY: a block of one surface copied into a block of another of a different
// size. The skinned controls stretch their pictures only to make them larger or to keep a
// dimension (a 1-pixel title strip to the window's width, a 12-pixel button edge to the button's
// width), and the pictures are uniform along the stretched direction or nearly so; nearest-pixel
// sampling is what GDI's COLORONCOLOR mode gives for such copies.
#include "controls/paint/surface.h"

namespace paint {

// Destination (dx, dy, dw, dh) from source (sx, sy, sw, sh). A destination or source with zero
// or negative width or height draws nothing (StretchBlt would mirror a negative extent; the
// controls never ask for that and take a negative size as "no room"). Destination pixel column
// i takes source column sx + (2i + 1) * sw / (2 dw), the source pixel under its centre; rows
// likewise. Clipped to the destination; source pixels outside the source read as black.
void StretchPixels(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx,
                   int sy, int sw, int sh);

}  // namespace paint
