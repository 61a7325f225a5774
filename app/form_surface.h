#pragma once
// The main window's own surface, which shows through the skinned frame between its pictures:
// the window's back colour and the maker label "Morv 2005" drawn on it. The frame's border
// lies over the label, so the label sits in the corner without breaking the border, as a label
// drawn on a form lies beneath the controls placed on it.
#include "app/form_main.h"
#include "app/layout.h"
#include "controls/paint/surface.h"
#include "controls/paint/text.h"

namespace app {

// The maker label's place in client pixels at `dpi`: its design rectangle.
PixelRect MakerLabelRect(int dpi);

// True when client pixel (x, y) is on the maker label while the label is shown.
bool OnMakerLabel(const FrmMain& form, int x, int y, int dpi);

// Paints the window's surface onto s (the client area from its top-left corner): the form's
// back colour, then, while shown, the label: its rectangle in its back colour and its caption
// in its fore colour and the form's font from its top-left corner. The caption is not cut at
// the label's right edge, which the design made for MS Sans Serif's widths; another font's
// wider glyphs run on over the surface towards the frame's border instead of losing the last
// digit.
void PaintFormSurface(paint::Surface& s, const FrmMain& form, paint::TextRenderer* text,
                      int dpi);

}  // namespace app
