#pragma once
// A picture as the controls use it: a kind and 24-bit pixels. Icons carry which of their pixels
// are opaque, because they are drawn with their own transparency; bitmaps are opaque throughout
// (a mask colour makes them transparent at drawing time).
#include <cstdint>
#include <memory>
#include <vector>

#include "controls/paint/surface.h"

namespace paint {

enum class PictureKind { Bitmap, Icon };

struct Picture {
    PictureKind kind = PictureKind::Bitmap;
    PixelBuffer pixels;
    std::vector<std::uint8_t> opaque;  // icons: 1 per opaque pixel, row by row; empty = all

    int Width() const { return pixels.Width(); }
    int Height() const { return pixels.Height(); }
    bool Opaque(int x, int y) const {
        return opaque.empty() || opaque[static_cast<std::size_t>(y) * Width() + x] != 0;
    }
};

using PicturePtr = std::shared_ptr<const Picture>;

}  // namespace paint
