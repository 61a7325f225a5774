#pragma once
// The primitives the skinned controls draw with, rasterised the way GDI draws them on a DIB so
// that a face drawn here matches the one the original GDI calls gave, pixel for pixel where the
// rules are exact (rectangles, lines that are horizontal, vertical or at 45 degrees, pixels, the
// focus frame) and closely for ellipses (see DrawEllipse).
#include "controls/paint/color.h"
#include "controls/paint/geometry.h"
#include "controls/paint/surface.h"

namespace paint {

// FillRect with a solid brush.
void FillRect(Surface& s, Rect r, Rgb c);

// FrameRect with a solid brush: a 1-pixel outline inside r.
void FrameRect(Surface& s, Rect r, Rgb c);

// A 1-pixel PS_SOLID line from (x1, y1) to (x2, y2); like LineTo, the end point is not painted.
// Horizontal, vertical and 45-degree lines are exactly GDI's; for other slopes the pixel nearest
// the ideal line is taken, with ties toward the end point (GDI's tie rule is not documented).
void DrawLine(Surface& s, int x1, int y1, int x2, int y2, Rgb c);

// MoveToEx / LineTo with one pen: each segment starts where the previous one ended.
class PenCursor {
public:
    PenCursor(Surface& s, int x, int y, Rgb c) : s_(s), x_(x), y_(y), c_(c) {}
    void MoveTo(int x, int y) { x_ = x, y_ = y; }
    void SetColor(Rgb c) { c_ = c; }
    void LineTo(int x, int y) {
        DrawLine(s_, x_, y_, x, y, c_);
        x_ = x, y_ = y;
    }

private:
    Surface& s_;
    int x_, y_;
    Rgb c_;
};

// Whether pixel (x, y) lies in the ellipse inscribed in box: its centre is inside the ellipse
// through the box's edges. Shared by DrawEllipse and the elliptic window shape so that the two
// agree.
bool InEllipse(const Rect& box, int x, int y);

// Ellipse(box) with a 2-pixel pen and a solid brush. Deviation from GDI: a PS_SOLID pen wider
// than one pixel straddles the ellipse's path, so GDI paints about one pixel of it outside the
// box (where the button's elliptic window shape clips it anyway); here the whole 2-pixel ring
// lies inside the box: the pixels of the ellipse that are not in the ellipse inscribed in the
// box shrunk by penWidth on every side.
void DrawEllipse(Surface& s, Rect box, Rgb pen, Rgb fill, int penWidth = 2);

// The two-ring 3-D edge of a w x h face, k pixels (0 or -1) inside its border: c1 left and top,
// c2 right and bottom of the outer ring, c3 and c4 the same of the inner ring (skipped when
// outerOnly). Drawn as the LineTo chains the original drew, end points excluded.
void DrawBevel(Surface& s, int w, int h, Rgb c1, Rgb c2, Rgb c3, Rgb c4, int k, bool outerOnly);

// DrawFocusRect: inverts every other pixel of the 1-pixel outline of r (XOR with white), so a
// second call removes it. The dots follow the 50% pattern brush aligned to the surface origin:
// pixel (x, y) is inverted when x + y is even. Windows XORs the pixels between the dots with the
// text colour, which is black in every palette that draws the frame; that no-op is left out.
void DrawFocusFrame(Surface& s, Rect r);

// BitBlt SRCCOPY of a w x h block, clipped to both surfaces.
void CopyPixels(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h);

}  // namespace paint
