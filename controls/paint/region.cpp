#include "controls/paint/region.h"

#include <utility>

namespace paint {

bool RegionData::Contains(int x, int y) const {
    for (const Rect& r : rects)
        if (r.Contains(x, y)) return true;
    return false;
}

RegionData RegionFromMask(int width, int height, const std::function<bool(int, int)>& inside) {
    RegionData out;
    std::vector<std::pair<int, int>> band, row;
    int bandTop = 0;
    auto flush = [&](int bottom) {
        for (auto [x0, x1] : band) out.rects.push_back({x0, bandTop, x1, bottom});
    };
    for (int y = 0; y < height; ++y) {
        row.clear();
        for (int x = 0; x < width;) {
            if (!inside(x, y)) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < width && inside(x, y)) ++x;
            row.emplace_back(x0, x);
        }
        // Rows with the same runs grow the band, as GDI merges them.
        if (y > 0 && row == band) continue;
        flush(y);
        band = row;
        bandTop = y;
    }
    flush(height);
    return out;
}

}  // namespace paint
