#pragma once
// Reading the program's pictures from Windows bitmap files, so that the tests and the Win32 host
// load the very same pixels (the host from the files it embeds, the tests from the source tree).
// Only what the pictures use is read: BITMAPINFOHEADER (or a later, longer header), no
// compression, 24 bits per pixel or 8 bits with a colour table, rows bottom-up (positive height)
// or top-down (negative height), each row padded to a multiple of 4 bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controls/paint/picture.h"

namespace paint {

// The picture in a whole .bmp file's bytes; nothing when the data is not a bitmap this reader
// handles or is cut short.
std::optional<Picture> ReadBmp(const std::uint8_t* data, std::size_t size);
inline std::optional<Picture> ReadBmp(const std::vector<std::uint8_t>& bytes) {
    return ReadBmp(bytes.data(), bytes.size());
}

// The same picture for bytes that stay, unchanged, for as long as the picture and its copies
// (the program's own resources): a 24-bit file's rows are used where they are, not copied; an
// 8-bit file is decoded.
std::optional<Picture> ViewBmp(const std::uint8_t* data, std::size_t size);

// The picture in the file at path; nullptr when it cannot be read.
PicturePtr LoadBmpFile(const std::string& path);

}  // namespace paint
