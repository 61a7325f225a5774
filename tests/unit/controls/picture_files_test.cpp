// The committed picture files: every picture the skinned controls load exists with the size the
// design gives, and the small button's skin holds the colours its cells are described with.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "controls/button/xpcmdbutton.h"
#include "controls/frame/frame_pictures.h"
#include "controls/paint/bmp.h"

namespace {

using controls::FrameSkin;
using paint::MakeRgb;
using paint::Rgb;

const std::string kDir = DRAVIK_PICTURES_DIR;

paint::PicturePtr Load(const std::string& name) { return paint::LoadBmpFile(kDir + "/" + name); }

int BitsPerPixel(const std::string& name) {
    std::ifstream in(kDir + "/" + name, std::ios::binary);
    char header[30] = {};
    in.read(header, sizeof header);
    return static_cast<unsigned char>(header[28]);
}

struct PictureSize {
    const char* name;
    int w, h;
};

void ExpectSizes(FrameSkin skin, const std::vector<PictureSize>& sizes) {
    const controls::FramePictures p =
        controls::LoadFramePictures(skin, true, controls::FolderPictureLoader(kDir));
    const paint::PicturePtr got[] = {p.titleLeft,  p.title,          p.titleRight, p.left,
                                     p.right,      p.bottom,         p.bottomLeft, p.bottomRight,
                                     p.closeButton, p.maximizeButton, p.minimizeButton,
                                     p.closeStates[0], p.closeStates[1], p.closeStates[2]};
    ASSERT_EQ(std::size(got), sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        ASSERT_TRUE(got[i]) << sizes[i].name;
        EXPECT_EQ(got[i]->Width(), sizes[i].w) << sizes[i].name;
        EXPECT_EQ(got[i]->Height(), sizes[i].h) << sizes[i].name;
    }
}

const std::vector<PictureSize> kPieces = {{"title left", 10, 30}, {"title", 1, 30},
                                    {"title right", 10, 30}, {"left", 4, 1},
                                    {"right", 4, 1},        {"bottom", 1, 4},
                                    {"bottom left", 4, 4},  {"bottom right", 4, 4}};

TEST(PictureFiles, FullColourFrameSetHasTheDesignSizes) {
    auto sizes = kPieces;
    sizes.insert(sizes.end(), {{"close", 21, 21}, {"maximize", 21, 21}, {"minimize", 21, 21},
                               {"close normal", 21, 21}, {"close hot", 21, 21},
                               {"close pressed", 21, 21}});
    ExpectSizes(FrameSkin::FullColour, sizes);
}

TEST(PictureFiles, Colour256FrameSetHasAWiderPressedClose) {
    auto sizes = kPieces;
    sizes.insert(sizes.end(), {{"close", 21, 21}, {"maximize", 21, 21}, {"minimize", 21, 21},
                               {"close normal", 21, 21}, {"close hot", 21, 21},
                               {"close pressed", 22, 21}});
    ExpectSizes(FrameSkin::Colour256, sizes);
}

TEST(PictureFiles, ColourDepthOfEachFileFollowsItsSet) {
    for (const auto& name : controls::FramePictureFiles(FrameSkin::Colour256, true))
        EXPECT_EQ(BitsPerPixel(name), 8) << name;
    for (const auto& name : controls::FramePictureFiles(FrameSkin::FullColour, true)) {
        const bool eightBit = name == "maximize.bmp" || name == "minimize.bmp";
        EXPECT_EQ(BitsPerPixel(name), eightBit ? 8 : 24) << name;
    }
    EXPECT_EQ(BitsPerPixel(controls::xpcmdbutton::kSkinFile), 8);
}

TEST(PictureFiles, TheThreeClosePicturesDiffer) {
    for (const char* tag : {"", "256"}) {
        const auto n = Load(std::string("close") + tag + "_normal.bmp");
        const auto h = Load(std::string("close") + tag + "_hot.bmp");
        const auto p = Load(std::string("close") + tag + "_pressed.bmp");
        ASSERT_TRUE(n && h && p);
        auto differ = [](const paint::Picture& a, const paint::Picture& b) {
            for (int y = 0; y < a.Height(); ++y)
                for (int x = 0; x < a.Width(); ++x)
                    if (a.pixels.Pixel(x, y) != b.pixels.Pixel(x, y)) return true;
            return false;
        };
        EXPECT_TRUE(differ(*n, *h)) << tag;
        EXPECT_TRUE(differ(*n, *p)) << tag;
        EXPECT_TRUE(differ(*h, *p)) << tag;
    }
}

TEST(PictureFiles, BigButtonPicturesAre32By32OnTheMaskColour) {
    const Rgb mask = MakeRgb(192, 192, 192);
    for (const char* name :
         {"btn_movie.bmp", "btn_monitor.bmp", "btn_settings.bmp", "btn_tray.bmp"}) {
        const auto pic = Load(name);
        ASSERT_TRUE(pic) << name;
        EXPECT_EQ(pic->Width(), 32) << name;
        EXPECT_EQ(pic->Height(), 32) << name;
        EXPECT_EQ(pic->pixels.Pixel(0, 0), mask) << name;
        EXPECT_EQ(pic->pixels.Pixel(31, 31), mask) << name;
        int drawn = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) drawn += pic->pixels.Pixel(x, y) != mask;
        EXPECT_GT(drawn, 150) << name;  // a picture, not a blank
    }
}

// --- the small button's skin ---

class Skin : public ::testing::Test {
protected:
    void SetUp() override {
        skin = Load(controls::xpcmdbutton::kSkinFile);
        ASSERT_TRUE(skin);
    }
    Rgb Cell(int k, int x, int y) const { return skin->pixels.Pixel(k * 18 + x, y); }
    paint::PicturePtr skin;
};

TEST_F(Skin, IsFiveCellsOf18By21) {
    EXPECT_EQ(skin->Width(), 90);
    EXPECT_EQ(skin->Height(), 21);
}

TEST_F(Skin, CellsHaveTheirBorderAndRoundCorners) {
    const Rgb border = MakeRgb(0, 60, 116);
    for (int k : {0, 1, 3, 4}) {
        EXPECT_EQ(Cell(k, 9, 0), border) << k;
        EXPECT_EQ(Cell(k, 9, 20), border) << k;
        EXPECT_EQ(Cell(k, 0, 10), border) << k;
        EXPECT_EQ(Cell(k, 17, 10), border) << k;
        // Each corner: the corner pixel, the one beside it in its row, the one next in its column.
        for (auto [x, y, dx, dy] : {std::tuple{0, 0, 1, 1}, std::tuple{17, 0, -1, 1},
                                    std::tuple{0, 20, 1, -1}, std::tuple{17, 20, -1, -1}}) {
            EXPECT_EQ(Cell(k, x, y), MakeRgb(221, 215, 197)) << k << " " << x << "," << y;
            EXPECT_EQ(Cell(k, x + dx, y), MakeRgb(101, 134, 159)) << k << " " << x << "," << y;
            EXPECT_EQ(Cell(k, x, y + dy), MakeRgb(34, 85, 131)) << k << " " << x << "," << y;
        }
    }
    const Rgb disabledBorder = MakeRgb(201, 199, 186);
    EXPECT_EQ(Cell(2, 9, 0), disabledBorder);
    EXPECT_EQ(Cell(2, 0, 10), disabledBorder);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{17, 0}, std::pair{0, 20}, std::pair{17, 20}})
        EXPECT_EQ(Cell(2, x, y), MakeRgb(255, 255, 255));
}

TEST_F(Skin, FacesRunTheirGradients) {
    // Normal: white at the top, through RGB(243, 243, 239), to RGB(214, 208, 197) at the bottom.
    EXPECT_EQ(Cell(0, 9, 1), MakeRgb(255, 255, 255));
    EXPECT_EQ(Cell(0, 9, 10), MakeRgb(243, 243, 239));
    EXPECT_EQ(Cell(0, 9, 19), MakeRgb(214, 208, 197));
    // Pressed: the greyer gradient the other way round.
    EXPECT_EQ(Cell(1, 9, 1), MakeRgb(209, 204, 193));
    EXPECT_EQ(Cell(1, 9, 10), MakeRgb(226, 225, 218));
    EXPECT_EQ(Cell(1, 9, 19), MakeRgb(242, 241, 238));
    // Disabled: flat.
    for (int y = 1; y < 20; ++y) EXPECT_EQ(Cell(2, 9, y), MakeRgb(245, 244, 234)) << y;
}

TEST_F(Skin, HoverAndSelectedCellsHaveTheirInnerFrames) {
    struct Frame {
        int cell;
        Rgb top1, top2, side, bottom1, bottom2;
    };
    for (const Frame& f :
         {Frame{3, MakeRgb(255, 240, 207), MakeRgb(253, 216, 137), MakeRgb(252, 202, 105),
                MakeRgb(248, 179, 48), MakeRgb(229, 151, 0)},
          Frame{4, MakeRgb(206, 231, 255), MakeRgb(188, 212, 246), MakeRgb(160, 190, 236),
                MakeRgb(137, 173, 228), MakeRgb(105, 130, 238)}}) {
        EXPECT_EQ(Cell(f.cell, 9, 1), f.top1);
        EXPECT_EQ(Cell(f.cell, 9, 2), f.top2);
        for (int x : {1, 2, 15, 16}) EXPECT_EQ(Cell(f.cell, x, 10), f.side) << x;
        EXPECT_EQ(Cell(f.cell, 9, 18), f.bottom1);
        EXPECT_EQ(Cell(f.cell, 9, 19), f.bottom2);
        // Inside the frame, the normal face.
        EXPECT_EQ(Cell(f.cell, 9, 10), MakeRgb(243, 243, 239));
    }
}

}  // namespace
