#pragma once
// Display on user32: EnumDisplaySettingsA / ChangeDisplaySettingsA on the primary display.
#include "platform/display.h"

namespace platform::win32 {

class Win32Display final : public Display {
public:
    std::int32_t EnumSettings(std::int32_t modeNum, DevModeFields& record) override;
    void ChangeSettings(std::int32_t modeNum) override;
    ScreenSize GetScreenSize() override;
};

}  // namespace platform::win32
