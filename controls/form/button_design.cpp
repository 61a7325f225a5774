#include "controls/form/button_design.h"

#include <cstdint>
#include <string>
#include <utility>

namespace controls {
namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kBlack = 0x000000;
constexpr std::int32_t kPureBlue = 0xFF0000;  // 0x00BBGGRR
constexpr std::int32_t kMaskGrey = 0xC0C0C0;

}  // namespace

PropertyBag XPButtonBag(const char* caption, const char* fontName, int colorScheme,
                        bool pictureAbove, paint::PicturePtr picture) {
    PropertyBag bag;
    paint::FontInfo font;
    font.name = fontName;
    bag.Write("BTYPE", std::int32_t{3});
    bag.Write("TX", std::string(caption));
    bag.Write("FONT", font);
    bag.Write("COLTYPE", std::int32_t{colorScheme});
    bag.Write("FOCUSR", true);
    bag.Write("BCOL", kWhite);
    bag.Write("BCOLO", kWhite);
    bag.Write("FCOL", kBlack);
    bag.Write("FCOLO", kPureBlue);
    bag.Write("MCOL", kMaskGrey);
    if (picture) bag.Write("PICN", std::move(picture));
    bag.Write("UMCOL", true);
    bag.Write("PICPOS", std::int32_t{pictureAbove ? 2 : 0});
    bag.Write("FX", std::int32_t{0});
    return bag;
}

}  // namespace controls
