// The bitmap reader over any file: a picture file is read whole and trusted by nothing else,
// so any header, size, offset or colour table must give a picture or none, never a read past
// the data. A picture it did read, written again as a plain 24-bit file, reads back the same,
// and the reader that takes 24-bit rows in place sees the same picture in the same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "controls/paint/bmp.h"
#include "fuzz_check.h"

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A bottom-up 24-bit file with a BITMAPINFOHEADER, as the picture tools write them.
std::vector<std::uint8_t> Write24(const paint::Picture& picture) {
    const int w = picture.Width(), h = picture.Height();
    const std::uint32_t stride = static_cast<std::uint32_t>(paint::Surface::StrideFor(w));
    std::vector<std::uint8_t> out{'B', 'M'};
    Put32(out, 54 + stride * h);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(h));
    Put16(out, 1);
    Put16(out, 24);
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < w; ++x) {
            const paint::Rgb c = picture.pixels.Pixel(x, y);
            out.push_back(static_cast<std::uint8_t>(paint::Blue(c)));
            out.push_back(static_cast<std::uint8_t>(paint::Green(c)));
            out.push_back(static_cast<std::uint8_t>(paint::Red(c)));
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto picture = paint::ReadBmp(data, size);
    if (!picture) return 0;
    FUZZ_CHECK(picture->kind == paint::PictureKind::Bitmap);
    FUZZ_CHECK(picture->Width() > 0 && picture->Height() > 0);
    // Every pixel came from the data: no picture larger than the file could hold.
    FUZZ_CHECK(static_cast<std::size_t>(picture->Width()) * picture->Height() <= size);

    const auto inPlace = paint::ViewBmp(data, size);
    FUZZ_CHECK(inPlace.has_value());
    FUZZ_CHECK(inPlace->Width() == picture->Width() && inPlace->Height() == picture->Height());
    for (int y = 0; y < picture->Height(); ++y)
        for (int x = 0; x < picture->Width(); ++x)
            FUZZ_CHECK(inPlace->pixels.Pixel(x, y) == picture->pixels.Pixel(x, y));

    const auto back = paint::ReadBmp(Write24(*picture));
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(back->Width() == picture->Width() && back->Height() == picture->Height());
    for (int y = 0; y < picture->Height(); ++y)
        for (int x = 0; x < picture->Width(); ++x)
            FUZZ_CHECK(back->pixels.Pixel(x, y) == picture->pixels.Pixel(x, y));
    return 0;
}
