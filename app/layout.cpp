#include "app/layout.h"

#include "app/control_ids.h"

namespace app {
namespace {

constexpr TwipsRect kDesign[] = {
    {ids::kBtnTray, 240, 3600, 3015, 855},
    {ids::kBtnSettings, 240, 2640, 3015, 855},
    {ids::kBtnMon, 240, 1680, 3015, 855},
    {ids::kBtnMovie, 240, 720, 3015, 855},
    {ids::kCmdTray, 240, 3600, 3015, 855},
    {ids::kCmdSettings, 240, 2640, 3015, 855},
    {ids::kCmdMon, 240, 1680, 3015, 855},
    {ids::kCmdMovie, 240, 720, 3015, 855},
    {ids::kChkTraySysStart, 4080, 3960, 2775, 375},
    {ids::kChkTraystart, 4080, 3600, 1335, 375},
    {ids::kFrame3, 3840, 3360, 3255, 1095},
    {ids::kMorvXPF1, 0, 0, kClientWidthTwips, kClientHeightTwips},
    {ids::kCmbMovie, 4080, 960, 2895, 315},
    {ids::kFrame2, 3840, 720, 3255, 735},
    {ids::kCmbRes, 4080, 1800, 2895, 315},
    {ids::kFrame1, 3840, 1560, 3255, 735},
    {ids::kXPF1, 0, 0, kClientWidthTwips, kClientHeightTwips},
    {ids::kCmdIconRest, 4080, 2880, 2775, 255},
    {ids::kCmdIconSave, 4080, 2520, 2775, 255},
    {ids::kLblMorv, 6405, 4560, 735, 255},
};

}  // namespace

std::span<const TwipsRect> DesignLayout() { return kDesign; }

}  // namespace app
