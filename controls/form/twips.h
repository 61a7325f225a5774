#pragma once
// A form's design places its controls in twips (1/1440 inch) from the client area's top-left
// corner; a window shows them in the pixels of its screen's scale.
namespace controls {

struct TwipsRect {
    int id;
    int left, top, width, height;
};

struct PixelRect {
    int left, top, width, height;
};

// The one conversion of a design's twips (never negative) to the pixels of a screen of `dpi`
// dots per inch: twips * dpi / 1440 to the nearest pixel, a half rounding up. Exact integer
// arithmetic, so 15 twips are one pixel at 96 dpi and half a pixel at 192.
constexpr int TwipsToPixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

constexpr PixelRect ToPixels(const TwipsRect& r, int dpi) {
    return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
            TwipsToPixels(r.height, dpi)};
}

}  // namespace controls
