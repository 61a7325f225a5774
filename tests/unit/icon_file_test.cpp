// The program's icon file as the resource compiler embeds it: an image for each size the tray
// and the about window ask for, each a well-formed icon image with its mask, or a PNG where
// Windows XP never asks for the size.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t BigU32(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}
std::uint16_t U16(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

struct Image {
    int width, height, bits;
    std::vector<unsigned char> data;
};

std::vector<Image> Images(const std::vector<unsigned char>& file) {
    std::vector<Image> images;
    if (file.size() < 6 || U16(file, 0) != 0 || U16(file, 2) != 1) return images;
    for (int i = 0; i < U16(file, 4); ++i) {
        const std::size_t e = 6 + 16 * static_cast<std::size_t>(i);
        const std::uint32_t size = U32(file, e + 8), offset = U32(file, e + 12);
        if (offset + size > file.size()) return {};
        images.push_back({file[e] ? file[e] : 256, file[e + 1] ? file[e + 1] : 256, U16(file, e + 6),
                          std::vector<unsigned char>(file.begin() + offset,
                                                     file.begin() + offset + size)});
    }
    return images;
}

TEST(ProgramIcon, HoldsA16ColourTrayImageAndATrueColourImageForEveryScale) {
    const std::vector<Image> images = Images(ReadAll(std::string(DRAVIK_PICTURES_DIR) + "/dravik.ico"));
    ASSERT_EQ(images.size(), 7u);
    int transparentTray = 0, opaqueTray = 0;
    for (const Image& image : images) {
        const auto& d = image.data;
        ASSERT_GE(d.size(), 40u);
        if (d[0] == 0x89 && d[1] == 'P' && d[2] == 'N' && d[3] == 'G') {
            // XP reads bitmap entries only, and asks for none of the sizes stored as PNG.
            EXPECT_EQ(image.width, 64) << "a size Windows XP asks for is stored as a PNG";
            EXPECT_EQ(BigU32(d, 16), static_cast<std::uint32_t>(image.width)) << "IHDR width";
            EXPECT_EQ(BigU32(d, 20), static_cast<std::uint32_t>(image.height)) << "IHDR height";
            EXPECT_EQ(d[24], 8) << "8 bits a sample";
            EXPECT_EQ(d[25], 6) << "RGBA, so that Windows draws it by its alpha channel";
            continue;
        }
        EXPECT_EQ(U32(d, 0), 40u) << "BITMAPINFOHEADER";
        EXPECT_EQ(static_cast<int>(U32(d, 4)), image.width);
        EXPECT_EQ(static_cast<int>(U32(d, 8)), 2 * image.height) << "colour rows and mask rows";
        EXPECT_EQ(U16(d, 14), image.bits);
        const std::size_t palette = image.bits <= 8 ? (4u << image.bits) : 0;
        const std::size_t xorRow = ((image.width * image.bits + 31) / 32) * 4;
        const std::size_t andRow = ((image.width + 31) / 32) * 4;
        ASSERT_EQ(d.size(), 40 + palette + image.height * (xorRow + andRow));
        if (image.bits == 32) {
            // Each holds the monitor, which covers about half of the picture at every size.
            int opaque = 0;
            for (int i = 0; i < image.width * image.height; ++i) opaque += d[40 + 4 * i + 3] > 127;
            const double share = static_cast<double>(opaque) / (image.width * image.height);
            EXPECT_GT(share, 0.45) << image.width;
            EXPECT_LT(share, 0.75) << image.width;
        }
        if (image.bits == 4) {
            // The mask: a drawing with a transparent surround.
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) {
                    const unsigned char byte =
                        d[40 + palette + image.height * xorRow + y * andRow + x / 8];
                    ((byte & (0x80 >> (x % 8))) ? transparentTray : opaqueTray)++;
                }
        }
    }
    EXPECT_EQ(images[0].width, 16);
    EXPECT_EQ(images[0].height, 16);
    EXPECT_EQ(images[0].bits, 4);
    EXPECT_EQ(images[1].width, 32);
    EXPECT_EQ(images[1].height, 32);
    EXPECT_EQ(images[1].bits, 32);
    // The notification area at 125%, 150%, 175% and 200%, the about window's picture at 125%,
    // 150% and 200%.
    const int sizes[] = {20, 24, 40, 48, 64};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(images[i + 2].width, sizes[i]);
        EXPECT_EQ(images[i + 2].height, sizes[i]);
        EXPECT_EQ(images[i + 2].bits, 32);
    }
    EXPECT_GT(opaqueTray, 100) << "the monitor fills most of the tray icon";
    EXPECT_GT(transparentTray, 20);
}

}  // namespace
