#pragma once
// The main window's design: where every control sits, in twips (1/1440 inch) from the
// client area's top-left corner, and the conversion to pixels.
#include <span>

namespace app {

struct TwipsRect {
    int id;
    int left, top, width, height;
};

struct PixelRect {
    int left, top, width, height;
};

inline constexpr int kClientWidthTwips = 7335;
inline constexpr int kClientHeightTwips = 4815;

// Every control's rectangle in design order; the id is from control_ids.h.
std::span<const TwipsRect> DesignLayout();

// Twips per pixel of a screen with this many dots per inch (15 at 96 dpi).
double TwipsPerPixel(int dotsPerInch);

// Converts to pixels, to the nearest pixel.
int TwipsToPixels(int twips, double twipsPerPixel);
PixelRect ToPixels(const TwipsRect& r, double twipsPerPixel);

}  // namespace app
