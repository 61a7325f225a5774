#include "tray/sys_tray.h"

#include <algorithm>

namespace tray {

frmSysTray::frmSysTray(platform::Shell& shell, SysTrayHostFactory makeHost)
    : shell_(shell), makeHost_(std::move(makeHost)) {}

frmSysTray::~frmSysTray() { Unload(); }

void frmSysTray::Load() {
    if (loaded_) return;
    loaded_ = true;
    host_ = makeHost_ ? makeHost_(*this) : nullptr;
    if (!host_) host_ = std::make_unique<WindowlessSysTrayHost>();
    nid_.hWnd = host_->Window();
    // The id is the icon's handle, as the number came to hand; the shell only needs it to be
    // the same in every later call, and only the low 32 bits of a handle are significant.
    nid_.uID = static_cast<std::uint32_t>(host_->OwnIcon());
    nid_.uFlags = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
    nid_.uCallbackMessage = kCallbackMessage;
    nid_.hIcon = host_->OwnIcon();
    nid_.szTip = TipField(host_->FileDescription());
    nid_.cbSize = sizeof(platform::NotifyIconData);
    iconShown_ = shell_.NotifyIcon(platform::kNimAdd, nid_);
}

void frmSysTray::Unload() {
    if (!loaded_ || unloaded_) return;
    unloaded_ = true;
    iconShown_ = false;
    shell_.NotifyIcon(platform::kNimDelete, nid_);
}

std::array<char, 64> frmSysTray::TipField(const std::string& text) {
    std::array<char, 64> field;
    field.fill(' ');
    const std::size_t n = std::min(text.size(), kTipLength);
    std::copy_n(text.begin(), n, field.begin());
    field[n] = '\0';
    return field;
}

std::string frmSysTray::ToolTip() {
    Load();
    const auto nul = std::find(nid_.szTip.begin(), nid_.szTip.end(), '\0');
    return std::string(nid_.szTip.begin(), nul);
}

void frmSysTray::SetToolTip(const std::string& text) {
    Load();
    // The field equals text + NUL only for an unchanged tip of exactly 63 characters.
    if (text.size() == kTipLength && std::equal(text.begin(), text.end(), nid_.szTip.begin()) &&
        nid_.szTip[kTipLength] == '\0')
        return;
    nid_.szTip = TipField(text);
    nid_.uFlags = platform::kNifTip;
    shell_.NotifyIcon(platform::kNimModify, nid_);
}

platform::IconHandle frmSysTray::IconHandle() {
    Load();
    return nid_.hIcon;
}

void frmSysTray::SetIconHandle(platform::IconHandle icon) {
    Load();
    if (icon == nid_.hIcon) return;
    nid_.hIcon = icon;
    nid_.uFlags = platform::kNifIcon;
    shell_.NotifyIcon(platform::kNimModify, nid_);
}

std::int32_t frmSysTray::DefaultMenuIndex() {
    Load();
    return defaultIndex_;
}

void frmSysTray::SetDefaultMenuIndex(std::int32_t index) {
    Load();
    defaultIndex_ = IsMenuIndexValid(index) ? index : 0;
}

bool frmSysTray::IsMenuIndexValid(std::int32_t index) const {
    return index >= 0 && index < static_cast<std::int32_t>(items_.size());
}

std::int32_t frmSysTray::AddMenuItem(const std::string& caption, const std::string& key,
                                     bool makeDefault) {
    Load();
    std::int32_t index;
    if (!firstItemUsed_) {
        index = 0;
        firstItemUsed_ = true;
    } else {
        index = static_cast<std::int32_t>(items_.size());
        items_.emplace_back();
    }
    MenuItem& item = items_[static_cast<std::size_t>(index)];
    item.visible = true;
    item.tag = key;
    item.caption = caption;
    if (makeDefault) defaultIndex_ = index;
    return index;
}

void frmSysTray::EnableMenuItem(std::int32_t index, bool enabled) {
    Load();
    if (IsMenuIndexValid(index)) items_[static_cast<std::size_t>(index)].enabled = enabled;
}

std::int32_t frmSysTray::RemoveMenuItem(std::int32_t index) {
    Load();
    if (!IsMenuIndexValid(index)) return 0;
    if (index == 0) {
        // The first item cannot be destroyed; it stays, with its key, as an empty line.
        items_[0].caption.clear();
        return 0;
    }
    for (std::size_t i = static_cast<std::size_t>(index) + 1; i < items_.size(); ++i) {
        items_[i - 1].caption = items_[i].caption;
        items_[i - 1].tag = items_[i].tag;
    }
    items_.pop_back();
    return 0;
}

void frmSysTray::ShowMenu() {
    Load();
    // Without being the foreground window, the hidden window's menu would not close when the
    // user clicks elsewhere.
    shell_.SetForegroundWindow(host_->Window());
    const int picked = host_->TrackMenu(items_, defaultIndex_ >= 0 ? defaultIndex_ : -1);
    // An owner that unloaded the component while its menu was open gets no pick from it.
    if (unloaded_ || !IsMenuIndexValid(picked)) return;
    const MenuItem& item = items_[static_cast<std::size_t>(picked)];
    if (item.caption == "-") return;
    const std::string key = item.tag;  // the handler may change the items
    if (MenuClick) MenuClick(picked, key);
}

void frmSysTray::ShellCallback(int mouseMessage) {
    if (!loaded_ || unloaded_) return;
    switch (mouseMessage) {
    case 0x200: if (SysTrayMouseMove) SysTrayMouseMove(); break;
    case 0x201: if (SysTrayMouseDown) SysTrayMouseDown(1); break;
    case 0x202: if (SysTrayMouseUp) SysTrayMouseUp(1); break;
    case 0x203: if (SysTrayDoubleClick) SysTrayDoubleClick(1); break;
    case 0x204: if (SysTrayMouseDown) SysTrayMouseDown(2); break;
    case 0x205: if (SysTrayMouseUp) SysTrayMouseUp(2); break;
    case 0x206: if (SysTrayDoubleClick) SysTrayDoubleClick(2); break;
    default: break;
    }
}

void frmSysTray::ShellRestarted() {
    if (!loaded_ || unloaded_) return;
    // The new notification area knows nothing of the icon: add all of it again, whatever the
    // last change was.
    nid_.uFlags = platform::kNifMessage | platform::kNifIcon | platform::kNifTip;
    const bool wasShown = iconShown_;
    iconShown_ = shell_.NotifyIcon(platform::kNimAdd, nid_);
    if (iconShown_ && !wasShown && IconShownLate) IconShownLate();
}

}  // namespace tray
