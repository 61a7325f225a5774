#pragma once
// Owners for the GDI objects the main window keeps: brushes and fonts. Copies are deleted.
#include <windows.h>

#include <cstdint>
#include <map>

#include "platform/win32/live_handles.h"

namespace app::win32 {

template <typename T>
class ScopedGdiObject {
public:
    ScopedGdiObject() = default;
    explicit ScopedGdiObject(T object) : object_(object) {
        platform::win32::CountTaken(platform::win32::HeldKind::Gdi, object_);
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(other.object_) {
        other.object_ = nullptr;
    }
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            object_ = other.object_;
            other.object_ = nullptr;
        }
        return *this;
    }
    ~ScopedGdiObject() { Reset(); }

    T Get() const { return object_; }
    void Reset(T object = nullptr) {
        platform::win32::CountReleased(platform::win32::HeldKind::Gdi, object_);
        if (object_) DeleteObject(object_);
        object_ = object;
        platform::win32::CountTaken(platform::win32::HeldKind::Gdi, object_);
    }

private:
    T object_ = nullptr;
};

using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedFont = ScopedGdiObject<HFONT>;

// A colour of the controls (0x00BBGGRR, the top byte unused) as GDI takes it.
inline COLORREF ToColorRef(std::uint32_t color) { return static_cast<COLORREF>(color & 0x00FFFFFF); }

// One solid brush per colour, made on first use and kept until the cache goes: the windows
// answer WM_CTLCOLOR* and WM_ERASEBKGND with brushes that must outlive the message.
class BrushCache {
public:
    HBRUSH For(std::uint32_t color) {
        ScopedBrush& brush = brushes_[color];
        if (!brush.Get()) brush.Reset(CreateSolidBrush(ToColorRef(color)));
        return brush.Get();
    }

private:
    std::map<std::uint32_t, ScopedBrush> brushes_;
};

}  // namespace app::win32
