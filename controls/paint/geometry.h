#pragma once
// Rectangles as GDI uses them: right and bottom exclusive.

namespace paint {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Positive d shrinks, like InflateRect with -d.
    Rect Deflate(int d) const { return {left + d, top + d, right - d, bottom - d}; }
    bool operator==(const Rect&) const = default;
};

// (x, y, w, h) as the button's drawing recipes write their rectangles.
inline Rect XYWH(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }

}  // namespace paint
