#pragma once
// Owners for the user32 objects the tray and about windows keep: menus and icons. Copies are
// deleted: two owners of one handle would destroy it twice.
#include <windows.h>

namespace app::win32 {

class ScopedMenu {
public:
    explicit ScopedMenu(HMENU menu) : menu_(menu) {}
    ScopedMenu(const ScopedMenu&) = delete;
    ScopedMenu& operator=(const ScopedMenu&) = delete;
    ~ScopedMenu() {
        if (menu_) DestroyMenu(menu_);
    }
    HMENU Get() const { return menu_; }

private:
    HMENU menu_;
};

// An icon from LoadImage without LR_SHARED, which its loader must destroy.
class ScopedIcon {
public:
    explicit ScopedIcon(HICON icon = nullptr) : icon_(icon) {}
    ScopedIcon(const ScopedIcon&) = delete;
    ScopedIcon& operator=(const ScopedIcon&) = delete;
    ~ScopedIcon() {
        if (icon_) DestroyIcon(icon_);
    }
    HICON Get() const { return icon_; }
    void Reset(HICON icon) {
        if (icon_) DestroyIcon(icon_);
        icon_ = icon;
    }

private:
    HICON icon_;
};

}  // namespace app::win32
