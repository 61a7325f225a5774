#pragma once
// GDI colours and the brushes the windows answer colour messages with.
#include <windows.h>

#include <cstdint>
#include <map>

#include "platform/win32/scoped.h"

namespace wingui {

// A colour of the controls (0x00BBGGRR, the top byte unused) as GDI takes it.
inline COLORREF ToColorRef(std::uint32_t color) { return static_cast<COLORREF>(color & 0x00FFFFFF); }

// One solid brush per colour, made on first use and kept until the cache goes: the windows
// answer WM_CTLCOLOR* and WM_ERASEBKGND with brushes that must outlive the message.
class BrushCache {
public:
    HBRUSH For(std::uint32_t color) {
        platform::win32::ScopedBrush& brush = brushes_[color];
        if (!brush.Get()) brush.Reset(CreateSolidBrush(ToColorRef(color)));
        return brush.Get();
    }

private:
    std::map<std::uint32_t, platform::win32::ScopedBrush> brushes_;
};

}  // namespace wingui
