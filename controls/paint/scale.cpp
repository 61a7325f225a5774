#include "controls/paint/scale.h"

#include <algorithm>
#include <cmath>

namespace paint {

double ScaleOfDpi(int dpi) { return dpi > 0 ? dpi / 96.0 : 1.0; }

int ScaledEdge(int x, double scale) { return static_cast<int>(std::lround(x * scale)); }

Rect ScaledRect(const Rect& r, double scale) {
    return {ScaledEdge(r.left, scale), ScaledEdge(r.top, scale), ScaledEdge(r.right, scale),
            ScaledEdge(r.bottom, scale)};
}

RegionData ScaledRegion(const RegionData& region, double scale) {
    // The edge map only ever grows with x, so the bands keep their order and stay apart.
    RegionData out;
    out.rects.reserve(region.rects.size());
    for (const Rect& r : region.rects) {
        const Rect s = ScaledRect(r, scale);
        if (!s.Empty()) out.rects.push_back(s);
    }
    return out;
}

int UnscaledPixel(int x, double scale) {
    // A first guess from the division, put right against the edges themselves so that the two
    // functions agree exactly whatever the floating point does.
    int guess = static_cast<int>(std::floor(x / scale));
    while (ScaledEdge(guess, scale) > x) --guess;
    while (ScaledEdge(guess + 1, scale) <= x) ++guess;
    return guess;
}

int UnscaledLength(int length, double scale) {
    return static_cast<int>(std::lround(length / scale));
}

void UpscalePixels(const Surface& src, Surface& dst, double scale) {
    const int sw = src.Width(), sh = src.Height();
    if (sw <= 0 || sh <= 0) return;
    for (int sy = 0; sy < sh; ++sy) {
        const int y0 = ScaledEdge(sy, scale);
        const int y1 = sy == sh - 1 ? dst.Height() : ScaledEdge(sy + 1, scale);
        if (y0 >= dst.Height()) break;
        // One scaled row is made from the source row, then copied to the rest of the block.
        for (int sx = 0; sx < sw; ++sx) {
            const int x1 = sx == sw - 1 ? dst.Width() : ScaledEdge(sx + 1, scale);
            dst.FillSpan(ScaledEdge(sx, scale), x1, y0, src.Pixel(sx, sy));
        }
        const int bytes = dst.Width() * 3;
        for (int y = std::max(y0 + 1, 0); y < std::min(y1, dst.Height()); ++y)
            std::copy(dst.Row(y0), dst.Row(y0) + bytes, dst.Row(y));
    }
}

Rect ScaledText::Measure(std::string_view text, const FontInfo& font, Rect box) {
    const Rect measured = real_.Measure(text, font, ScaledRect(box, scale_));
    auto back = [&](int length) {
        return static_cast<int>(std::ceil(length / scale_ - 1e-9));
    };
    return {box.left, box.top, box.left + back(measured.Width()),
            box.top + back(measured.Height())};
}

void ScaledText::Draw(Surface&, std::string_view text, const FontInfo& font, Rect box,
                      Rgb color) {
    drawings_.push_back(Drawing{std::string(text), font, box, color});
}

void ScaledText::Replay(Surface& scaled) {
    for (const Drawing& d : drawings_) {
        Rect box = ScaledRect(d.box, scale_);
        if (box.Empty()) continue;
        const Rect needed = real_.Measure(d.text, d.font, box);
        // Wider only by what the text needs, kept centred as the drawing centres it.
        if (needed.Width() > box.Width()) {
            const int grow = needed.Width() - box.Width();
            box.left -= grow / 2;
            box.right += grow - grow / 2;
        }
        box.bottom = std::max(box.bottom, box.top + needed.Height());
        real_.Draw(scaled, d.text, d.font, box, d.color);
    }
    drawings_.clear();
}

}  // namespace paint
