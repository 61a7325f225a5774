#include "launch/about_design.h"

namespace launch::about {
namespace {

// LblText and CmdUrl sit inside Frame1 at (120, 240) and (1080, 720); the frame is at
// (240, 2400). Image12 stands left of the title, Line1 parts the texts from Frame1.
constexpr Place kLayout[] = {
    {kCmdUrl, 240 + 1080, 2400 + 720, 3135, 278},
    {kLblText, 240 + 120, 2400 + 240, 4935, 495},
    {kCmdOk, 4200, 1680, 1095, 375},
    {kCmdDonate, 3000, 1680, 1095, 375},
    {kLblTitle, 1450, 600, 2850, 420},
    {kLbVersion, 1800, 1080, 2250, 300},
    {kLabel2, 210, 1425, 1935, 255},
    {kLbDevelover, 210, 1665, 1935, 255},
    {kLbEmail, 210, 1905, 2145, 195},
    {kImage12, 600, 570, 480, 480},
    {kLine1, 240, 2250, 5175, 15},
    {kFrame1, 240, 2400, 5175, 1095},
    {kXPFAbout, 0, 0, kClientWidthTwips, kClientHeightTwips},
    {kXPFAbout256, 0, 0, kClientWidthTwips, kClientHeightTwips},
};

}  // namespace

std::span<const Place> Layout() { return kLayout; }

paint::FontInfo LabelFont(int id) {
    switch (id) {
    case kLblTitle: return {"Verdana", 18, false};
    case kLbVersion: return {"MS Sans Serif", 9.75, true};
    case kLabel2:
    case kLbDevelover:
    case kLbEmail: return {"MS Sans Serif", 8.25, true};
    default: return {};
    }
}

}  // namespace launch::about
