#pragma once
// The about window's design: control ids (the Win32 host creates every control with its id,
// and the end-to-end probe finds them by it), where each control sits in twips from the
// window's top-left corner, and the labels' fonts and colours.
#include <cstdint>
#include <span>

#include "controls/control_model.h"
#include "controls/form/twips.h"
#include "controls/paint/text.h"

namespace launch::about {

inline constexpr int kLblTitle = 201;
inline constexpr int kLbVersion = 202;
inline constexpr int kLabel2 = 203;
inline constexpr int kLbDevelover = 204;
inline constexpr int kLbEmail = 205;
inline constexpr int kCmdDonate = 206;
inline constexpr int kCmdOk = 207;
inline constexpr int kFrame1 = 208;
inline constexpr int kLblText = 209;
inline constexpr int kCmdUrl = 210;
inline constexpr int kImage12 = 211;
inline constexpr int kLine1 = 212;
inline constexpr int kXPFAbout = 213;
inline constexpr int kXPFAbout256 = 214;

// Window class of the about window.
inline constexpr const char* kWindowClass = "DravikAbout";

inline constexpr int kClientWidthTwips = 5655;
inline constexpr int kClientHeightTwips = 3735;

using Place = controls::TwipsRect;

// Every control's rectangle, in the order the host stacks them (top-most first); the frames
// last, beneath everything.
std::span<const Place> Layout();

inline constexpr controls::Color kDarkRed = 0x0000C0;    // RGB 192, 0, 0
inline constexpr controls::Color kLightBlue = 0xFF8080;  // RGB 128, 128, 255
inline constexpr controls::Color kTextBack = 0xE0E0E0;   // LblText's light grey

// The labels' fonts (size in points).
paint::FontInfo LabelFont(int id);

}  // namespace launch::about
