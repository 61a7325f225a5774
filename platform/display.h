#pragma once
// Display settings of the primary display, as EnumDisplaySettingsA and ChangeDisplaySettingsA
// give them. Plain data only: deciding what a mode means is the business of modes/.
#include <cstdint>

namespace platform {

// The four DEVMODEA fields the program reads. Everything else of the record stays inside
// the Win32 implementation.
struct DevModeFields {
    std::uint32_t pelsWidth = 0;
    std::uint32_t pelsHeight = 0;
    std::uint32_t bitsPerPel = 0;
    std::uint32_t displayFrequency = 0;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

class Display {
public:
    static constexpr std::int32_t kCurrentSettings = -1;  // ENUM_CURRENT_SETTINGS

    virtual ~Display() = default;

    // EnumDisplaySettingsA(NULL, modeNum, ...). Returns the call's raw BOOL. On a non-zero
    // result the four fields of `record` describe the mode; on zero `record` is left exactly
    // as it was, so a caller that reuses one record across calls sees the previous mode.
    virtual std::int32_t EnumSettings(std::int32_t modeNum, DevModeFields& record) = 0;

    // Enumerates modeNum into a fresh record and hands that record, unchanged, to
    // ChangeDisplaySettingsA with CDS_UPDATEREGISTRY: applied now and stored as the user's
    // default. -1 re-applies the mode in effect. The result is not reported.
    virtual void ChangeSettings(std::int32_t modeNum) = 0;

    // Size of the primary screen in pixels (the window system's units) as it is right now.
    virtual ScreenSize GetScreenSize() = 0;
};

}  // namespace platform
