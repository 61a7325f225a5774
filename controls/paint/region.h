#pragma once
// A window shape as plain data: rectangles in the y-x banded order of a region's RGNDATA (sorted
// by top, then left; the rectangles of one band share top and bottom and do not touch), so the
// Win32 host hands them to ExtCreateRegion unchanged.
#include <functional>
#include <vector>

#include "controls/paint/geometry.h"

namespace paint {

struct RegionData {
    std::vector<Rect> rects;

    bool Contains(int x, int y) const;
    bool operator==(const RegionData&) const = default;
};

// The shape of the pixels of a width x height area for which inside(x, y) holds.
RegionData RegionFromMask(int width, int height, const std::function<bool(int, int)>& inside);

}  // namespace paint
