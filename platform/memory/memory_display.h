#pragma once
// A display with a scripted mode list for the unit tests. Switching records the mode number
// and puts the mode in effect, as the platform stores it as the default.
#include <vector>

#include "platform/display.h"

namespace platform::memory {

class MemoryDisplay : public Display {
public:
    explicit MemoryDisplay(std::vector<DevModeFields> modes = {}) : modes_(std::move(modes)) {}

    std::int32_t EnumSettings(std::int32_t modeNum, DevModeFields& record) override;
    void ChangeSettings(std::int32_t modeNum) override;
    ScreenSize GetScreenSize() override;

    // The mode in effect, whether or not it is in the list.
    void SetCurrent(const DevModeFields& mode) { current_ = mode; }
    const DevModeFields& Current() const { return current_; }
    // Switches are refused (the mode stays) while this is set; they are still recorded.
    void RefuseSwitches(bool refuse) { refuse_ = refuse; }
    // Every mode number handed to ChangeSettings, in order.
    const std::vector<std::int32_t>& Switches() const { return switches_; }
    // Makes the mode-in-effect read fail, leaving the caller's record as it was.
    void FailCurrentRead(bool fail) { failCurrentRead_ = fail; }

private:
    std::vector<DevModeFields> modes_;
    DevModeFields current_;
    std::vector<std::int32_t> switches_;
    bool refuse_ = false;
    bool failCurrentRead_ = false;
};

DevModeFields Mode(std::uint32_t width, std::uint32_t height, std::uint32_t bpp, std::uint32_t hz);

}  // namespace platform::memory
