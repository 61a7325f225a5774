#include "controls/paint/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace paint {

void FillRect(Surface& s, Rect r, Rgb c) {
    const int top = std::max(r.top, 0);
    const int bottom = std::min(r.bottom, s.Height());
    for (int y = top; y < bottom; ++y) s.FillSpan(r.left, r.right, y, c);
}

void FrameRect(Surface& s, Rect r, Rgb c) {
    if (r.Empty()) return;
    s.FillSpan(r.left, r.right, r.top, c);
    s.FillSpan(r.left, r.right, r.bottom - 1, c);
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        s.SetPixel(r.left, y, c);
        s.SetPixel(r.right - 1, y, c);
    }
}

void DrawLine(Surface& s, int x1, int y1, int x2, int y2, Rgb c) {
    if (y1 == y2) {  // the gradient rows: one span
        if (x1 <= x2)
            s.FillSpan(x1, x2, y1, c);
        else
            s.FillSpan(x2 + 1, x1 + 1, y1, c);
        return;
    }
    // Bresenham along the major axis; the pixel on the minor axis is the one nearest the true
    // line. A tie (the line passing midway between two pixels) goes to the end point's side:
    // the only such line the button draws is ButtonType 4's corner stroke (1, 2)-(2, 0), whose
    // middle pixel then lands on (2, 1) and leaves the dark corner pixel (1, 1) drawn just before
    // it. The last step (the end point) is not painted.
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int steps = xMajor ? dx : dy;
    const int minor = xMajor ? dy : dx;
    int err = 0;
    int x = x1, y = y1;
    for (int i = 0; i < steps; ++i) {
        s.SetPixel(x, y, c);
        err += 2 * minor;
        if (err >= steps) {
            err -= 2 * steps;
            if (xMajor)
                y += sy;
            else
                x += sx;
        }
        if (xMajor)
            x += sx;
        else
            y += sy;
    }
}

bool InEllipse(const Rect& box, int x, int y) {
    const double a = box.Width() / 2.0, b = box.Height() / 2.0;
    if (a <= 0 || b <= 0) return false;
    const double u = (x + 0.5 - (box.left + a)) / a;
    const double v = (y + 0.5 - (box.top + b)) / b;
    return u * u + v * v <= 1.0;
}

namespace {

// The run of row y inside the ellipse of box, as [x0, x1); empty when x0 >= x1.
void EllipseRow(const Rect& box, int y, int& x0, int& x1) {
    x0 = x1 = 0;
    const double a = box.Width() / 2.0, b = box.Height() / 2.0;
    if (a <= 0 || b <= 0) return;
    const double v = (y + 0.5 - (box.top + b)) / b;
    if (v * v > 1.0) return;
    const double half = a * std::sqrt(1.0 - v * v);
    const double cx = box.left + a - 0.5;  // centre in pixel-index terms
    x0 = static_cast<int>(std::ceil(cx - half - 1e-9));
    x1 = static_cast<int>(std::floor(cx + half + 1e-9)) + 1;
}

}  // namespace

void DrawEllipse(Surface& s, Rect box, Rgb pen, Rgb fill, int penWidth) {
    const Rect inner = box.Deflate(penWidth);
    for (int y = box.top; y < box.bottom; ++y) {
        int o0, o1, i0, i1;
        EllipseRow(box, y, o0, o1);
        if (o0 >= o1) continue;
        EllipseRow(inner, y, i0, i1);
        if (i0 >= i1 || inner.Empty()) {
            s.FillSpan(o0, o1, y, pen);
            continue;
        }
        s.FillSpan(o0, i0, y, pen);
        s.FillSpan(i0, i1, y, fill);
        s.FillSpan(i1, o1, y, pen);
    }
}

void DrawBevel(Surface& s, int w, int h, Rgb c1, Rgb c2, Rgb c3, Rgb c4, int k, bool outerOnly) {
    const int e = std::abs(k), x = w + k - 1, y = h + k - 1;
    PenCursor pen(s, e, y, c1);
    pen.LineTo(e, e);
    pen.LineTo(x, e);
    pen.SetColor(c2);
    pen.LineTo(x, y);
    pen.LineTo(e - 1, y);
    if (outerOnly) return;
    pen.SetColor(c3);
    pen.MoveTo(e + 1, y - 1);
    pen.LineTo(e + 1, e + 1);
    pen.LineTo(x - 1, e + 1);
    pen.SetColor(c4);
    pen.LineTo(x - 1, y - 1);
    pen.LineTo(e, y - 1);
}

namespace {

void InvertDot(Surface& s, int x, int y) {
    if (((x + y) & 1) == 0 && s.Contains(x, y)) s.SetPixel(x, y, s.Pixel(x, y) ^ 0xFFFFFFu);
}

}  // namespace

void DrawFocusFrame(Surface& s, Rect r) {
    if (r.Empty()) return;
    for (int x = r.left; x < r.right; ++x) {
        InvertDot(s, x, r.top);
        if (r.bottom - 1 != r.top) InvertDot(s, x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        InvertDot(s, r.left, y);
        if (r.right - 1 != r.left) InvertDot(s, r.right - 1, y);
    }
}

void CopyPixels(Surface& dst, int dx, int dy, const Surface& src, int sx, int sy, int w, int h) {
    // Clip against both surfaces, moving both origins together.
    auto clip = [&](int& d, int& sPos, int& len, int dLimit, int sLimit) {
        if (d < 0) sPos -= d, len += d, d = 0;
        if (sPos < 0) d -= sPos, len += sPos, sPos = 0;
        len = std::min({len, dLimit - d, sLimit - sPos});
    };
    clip(dx, sx, w, dst.Width(), src.Width());
    clip(dy, sy, h, dst.Height(), src.Height());
    if (w <= 0 || h <= 0) return;
    for (int row = 0; row < h; ++row)
        std::memmove(dst.Row(dy + row) + dx * 3, src.Row(sy + row) + sx * 3,
                     static_cast<std::size_t>(w) * 3);
}

}  // namespace paint
