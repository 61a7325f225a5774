#include "controls/paint/bmp.h"

#include <cstdio>
#include <iterator>

namespace paint {

namespace {

std::uint32_t U16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kInfoHeader = 40;  // BITMAPINFOHEADER; V4 and V5 extend it

// Where a file's pixels are and how they are stored, its header checked against its size.
struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    std::uint32_t bits = 0;
    std::vector<Rgb> table;  // 8 bits per pixel
    const std::uint8_t* rows = nullptr;  // the first stored row
    std::size_t stride = 0;
};

std::optional<BmpLayout> ReadLayout(const std::uint8_t* data, std::size_t size) {
    if (!data || size < kFileHeader + kInfoHeader || data[0] != 'B' || data[1] != 'M')
        return std::nullopt;
    const std::uint32_t pixelOffset = U32(data + 10);
    const std::uint8_t* info = data + kFileHeader;
    const std::uint32_t headerSize = U32(info);
    if (headerSize < kInfoHeader || kFileHeader + headerSize > size) return std::nullopt;
    const auto width = static_cast<std::int32_t>(U32(info + 4));
    const auto rawHeight = static_cast<std::int32_t>(U32(info + 8));
    const std::uint32_t bits = U16(info + 14);
    const std::uint32_t compression = U32(info + 16);
    std::uint32_t colorsUsed = U32(info + 32);
    if (U16(info + 12) != 1 || compression != 0 || (bits != 24 && bits != 8)) return std::nullopt;
    if (width <= 0 || rawHeight == 0 || width > 0x4000 || rawHeight > 0x4000 ||
        rawHeight < -0x4000)
        return std::nullopt;
    BmpLayout layout;
    layout.width = width;
    layout.topDown = rawHeight < 0;
    layout.height = layout.topDown ? -rawHeight : rawHeight;
    layout.bits = bits;

    // The colour table follows the header: 4 bytes per entry (blue, green, red, reserved).
    if (bits == 8) {
        if (colorsUsed == 0 || colorsUsed > 256) colorsUsed = 256;
        const std::size_t at = kFileHeader + headerSize;
        if (at + colorsUsed * 4 > size) return std::nullopt;
        for (std::uint32_t i = 0; i < colorsUsed; ++i) {
            const std::uint8_t* e = data + at + i * 4;
            layout.table.push_back(MakeRgb(e[2], e[1], e[0]));
        }
    }

    layout.stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (pixelOffset > size || layout.stride * layout.height > size - pixelOffset)
        return std::nullopt;
    layout.rows = data + pixelOffset;
    return layout;
}

Picture Decode(const BmpLayout& layout) {
    Picture picture;
    picture.kind = PictureKind::Bitmap;
    picture.pixels = PixelBuffer(layout.width, layout.height);
    for (int y = 0; y < layout.height; ++y) {
        const int stored = layout.topDown ? y : layout.height - 1 - y;
        const std::uint8_t* row = layout.rows + layout.stride * stored;
        for (int x = 0; x < layout.width; ++x) {
            if (layout.bits == 24) {
                picture.pixels.SetPixel(x, y, Surface::Get(row + x * 3));
            } else {
                const std::uint8_t index = row[x];
                // An index beyond the table reads as black, as GDI shows it.
                picture.pixels.SetPixel(x, y, index < layout.table.size() ? layout.table[index] : 0);
            }
        }
    }
    return picture;
}

}  // namespace

std::optional<Picture> ReadBmp(const std::uint8_t* data, std::size_t size) {
    const auto layout = ReadLayout(data, size);
    if (!layout) return std::nullopt;
    return Decode(*layout);
}

std::optional<Picture> ViewBmp(const std::uint8_t* data, std::size_t size) {
    const auto layout = ReadLayout(data, size);
    if (!layout) return std::nullopt;
    if (layout->bits != 24) return Decode(*layout);
    // A 24-bit file's rows are already laid out as a surface's rows.
    Picture picture;
    picture.kind = PictureKind::Bitmap;
    picture.pixels =
        PixelBuffer::Borrowing(layout->rows, layout->width, layout->height, !layout->topDown);
    return picture;
}

PicturePtr LoadBmpFile(const std::string& path) {
    // C stdio, not iostreams: those would bring the whole locale machinery into Dravik.exe.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    auto picture = ReadBmp(bytes);
    if (!picture) return nullptr;
    return std::make_shared<const Picture>(std::move(*picture));
}

}  // namespace paint
