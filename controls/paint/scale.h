#pragma once
// Drawing the skinned controls at a screen scale other than 100% (120, 144, 192 dots per inch):
// a control lays itself out and draws in its 100% pixels, as it always did, on a surface of its
// 100% size; that drawing is then enlarged onto the window's real pixels by nearest neighbour,
// so that the skin grows as one and its pixel pictures stay crisp. At a whole-number factor
// every 100% pixel becomes an N x N block; between whole factors the blocks are N or N + 1
// pixels wide, the edges falling where the factor puts them (a 1-pixel line at 150% is 1 or 2
// pixels wide, never a blurred grey). Text is the exception: glyphs drawn at 100% and enlarged
// would be blocky, so the captions are measured and drawn with the fonts of the real scale,
// over the enlarged drawing, in boxes enlarged the same way.
#include <string>
#include <vector>

#include "controls/paint/geometry.h"
#include "controls/paint/region.h"
#include "controls/paint/surface.h"
#include "controls/paint/text.h"

namespace paint {

// The scale of a screen: dots per inch over the 96 of 100%; 1 for a dpi that is not positive.
double ScaleOfDpi(int dpi);

// Where the 100% pixel edge x falls on the scaled screen: x times the scale, to the nearest
// pixel (halves away from zero). Pixel x covers ScaledEdge(x) .. ScaledEdge(x + 1) - 1.
int ScaledEdge(int x, double scale);
Rect ScaledRect(const Rect& r, double scale);
// A window shape made for the 100% size, at the scale: every rectangle's edges moved as above,
// so a 1-pixel step of a rounded corner becomes a block.
RegionData ScaledRegion(const RegionData& region, double scale);

// The 100% pixel that the scaled pixel x lies in (the inverse of ScaledEdge).
int UnscaledPixel(int x, double scale);
// The 100% length of a scaled length, to the nearest pixel (a window 302 pixels wide at 150% is
// 201 pixels at 100%).
int UnscaledLength(int length, double scale);

// The drawing of the 100% surface `src` enlarged onto `dst` by nearest neighbour: 100% pixel
// (x, y) fills the block from ScaledEdge(x), ScaledEdge(y) to ScaledEdge(x + 1),
// ScaledEdge(y + 1). Where dst is larger than the scaled source (a window's size rounded the
// other way), the last column and row go on to its edge.
void UpscalePixels(const Surface& src, Surface& dst, double scale);

// The text renderer a control sees while it draws at 100% on a scaled screen: it measures with
// the real renderer at the scale (boxes in, results out in 100% pixels, rounded up so that the
// text fits the box it is given back) and keeps the drawings, which Replay then draws over the
// enlarged surface.
class ScaledText : public TextRenderer {
public:
    ScaledText(TextRenderer& real, double scale) : real_(real), scale_(scale) {}

    void SetScale(double scale) { scale_ = scale; }
    double Scale() const { return scale_; }

    Rect Measure(std::string_view text, const FontInfo& font, Rect box) override;
    // Kept for Replay; nothing is drawn on the 100% surface.
    void Draw(Surface& target, std::string_view text, const FontInfo& font, Rect box,
              Rgb color) override;

    // Draws the kept captions, in their order, on the scaled surface and forgets them. A box
    // too small for its text at the scale (the fonts of a larger scale are not exactly larger
    // in proportion) grows to the text's measure, so that no caption is cut.
    void Replay(Surface& scaled);
    void Forget() { drawings_.clear(); }
    std::size_t Kept() const { return drawings_.size(); }

private:
    struct Drawing {
        std::string text;
        FontInfo font;
        Rect box;
        Rgb color;
    };
    TextRenderer& real_;
    double scale_;
    std::vector<Drawing> drawings_;
};

}  // namespace paint
