#include "controls/paint/stretch.h"

#include <cstdint>

namespace paint {

void StretchPixels(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx,
                   int sy, int sw, int sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    for (int j = 0; j < dh; ++j) {
        const int y = dy + j;
        if (y < 0 || y >= dst.Height()) continue;
        const int srcY =
            sy + static_cast<int>((2 * std::int64_t{j} + 1) * sh / (2 * std::int64_t{dh}));
        for (int i = 0; i < dw; ++i) {
            const int x = dx + i;
            if (x < 0 || x >= dst.Width()) continue;
            const int srcX =
                sx + static_cast<int>((2 * std::int64_t{i} + 1) * sw / (2 * std::int64_t{dw}));
            dst.SetPixel(x, y, src.Pixel(srcX, srcY));
        }
    }
}

}  // namespace paint
