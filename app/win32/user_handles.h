#pragma once
// Owners for the user32 objects the tray and about windows keep: menus and icons. Copies are
// deleted: two owners of one handle would destroy it twice.
#include <windows.h>

#include "platform/win32/live_handles.h"

namespace app::win32 {

class ScopedMenu {
public:
    explicit ScopedMenu(HMENU menu) : menu_(menu) {
        platform::win32::CountTaken(platform::win32::HeldKind::User, menu_);
    }
    ScopedMenu(const ScopedMenu&) = delete;
    ScopedMenu& operator=(const ScopedMenu&) = delete;
    ~ScopedMenu() {
        platform::win32::CountReleased(platform::win32::HeldKind::User, menu_);
        if (menu_) DestroyMenu(menu_);
    }
    HMENU Get() const { return menu_; }

private:
    HMENU menu_;
};

// An icon from LoadImage without LR_SHARED, which its loader must destroy.
class ScopedIcon {
public:
    explicit ScopedIcon(HICON icon = nullptr) : icon_(icon) {
        platform::win32::CountTaken(platform::win32::HeldKind::User, icon_);
    }
    ScopedIcon(const ScopedIcon&) = delete;
    ScopedIcon& operator=(const ScopedIcon&) = delete;
    ~ScopedIcon() { Reset(nullptr); }
    HICON Get() const { return icon_; }
    void Reset(HICON icon) {
        platform::win32::CountReleased(platform::win32::HeldKind::User, icon_);
        if (icon_) DestroyIcon(icon_);
        icon_ = icon;
        platform::win32::CountTaken(platform::win32::HeldKind::User, icon_);
    }

private:
    HICON icon_;
};

}  // namespace app::win32
