#include "platform/win32/win32_display.h"

#include <windows.h>

namespace platform::win32 {

namespace {

// Zero-filled, with dmSize set: Windows 10 and later reject a record without it, while Wine
// fills the record either way. dmFields is left for the call to fill.
DEVMODEA FreshDevMode() {
    DEVMODEA dm{};
    dm.dmSize = sizeof(dm);
    return dm;
}

}  // namespace

std::int32_t Win32Display::EnumSettings(std::int32_t modeNum, DevModeFields& record) {
    DEVMODEA dm = FreshDevMode();
    const BOOL ok = EnumDisplaySettingsA(nullptr, static_cast<DWORD>(modeNum), &dm);
    // On failure the caller's record keeps the previous mode; callers reuse one record.
    if (ok) {
        record.pelsWidth = dm.dmPelsWidth;
        record.pelsHeight = dm.dmPelsHeight;
        record.bitsPerPel = dm.dmBitsPerPel;
        record.displayFrequency = dm.dmDisplayFrequency;
    }
    return ok;
}

void Win32Display::ChangeSettings(std::int32_t modeNum) {
    // The record goes to the switch exactly as the enumeration filled it, dmFields included;
    // neither result is looked at.
    DEVMODEA dm = FreshDevMode();
    EnumDisplaySettingsA(nullptr, static_cast<DWORD>(modeNum), &dm);
    ChangeDisplaySettingsA(&dm, CDS_UPDATEREGISTRY);
}

ScreenSize Win32Display::GetScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace platform::win32
