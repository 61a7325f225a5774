#pragma once
// Child-window identifiers of the main window. The Win32 host creates every control with
// its id, and the end-to-end probe finds controls by them, so both read this one table.

namespace app::ids {

inline constexpr int kBtnTray = 101;
inline constexpr int kBtnSettings = 102;
inline constexpr int kBtnMon = 103;
inline constexpr int kBtnMovie = 104;
inline constexpr int kCmdTray = 105;
inline constexpr int kCmdSettings = 106;
inline constexpr int kCmdMon = 107;
inline constexpr int kCmdMovie = 108;
inline constexpr int kChkTraySysStart = 109;
inline constexpr int kChkTraystart = 110;
inline constexpr int kFrame3 = 111;
inline constexpr int kMorvXPF1 = 112;
inline constexpr int kCmbMovie = 113;
inline constexpr int kFrame2 = 114;
inline constexpr int kCmbRes = 115;
inline constexpr int kFrame1 = 116;
inline constexpr int kXPF1 = 117;
inline constexpr int kCmdIconRest = 118;
inline constexpr int kCmdIconSave = 119;
inline constexpr int kLblMorv = 120;

// Window class of the main window; its caption is "Dravik".
inline constexpr const char* kMainWindowClass = "DravikMain";

}  // namespace app::ids
