#include "platform/memory/memory_display.h"

namespace platform::memory {

DevModeFields Mode(std::uint32_t width, std::uint32_t height, std::uint32_t bpp, std::uint32_t hz) {
    DevModeFields m;
    m.pelsWidth = width;
    m.pelsHeight = height;
    m.bitsPerPel = bpp;
    m.displayFrequency = hz;
    return m;
}

std::int32_t MemoryDisplay::EnumSettings(std::int32_t modeNum, DevModeFields& record) {
    if (modeNum == kCurrentSettings) {
        if (failCurrentRead_) return 0;
        record = current_;
        return 1;
    }
    if (modeNum < 0 || modeNum >= static_cast<std::int32_t>(modes_.size())) return 0;
    record = modes_[static_cast<std::size_t>(modeNum)];
    return 1;
}

void MemoryDisplay::ChangeSettings(std::int32_t modeNum) {
    switches_.push_back(modeNum);
    DevModeFields record;
    if (refuse_ || EnumSettings(modeNum, record) == 0) return;
    current_ = record;
}

ScreenSize MemoryDisplay::GetScreenSize() {
    return {static_cast<int>(current_.pelsWidth), static_cast<int>(current_.pelsHeight)};
}

}  // namespace platform::memory
