#include "platform/memory/memory_shell.h"

#include <cstring>

namespace platform::memory {

bool MemoryShell::NotifyIcon(std::uint32_t message, const NotifyIconData& data) {
    notifications.push_back({message, data});
    if (refuseIcons) {
        log.push_back(message == kNimAdd      ? "add refused"
                      : message == kNimModify ? "modify refused"
                                              : "delete refused");
        return false;
    }
    const auto key = std::make_pair(data.hWnd, data.uID);
    switch (message) {
    case kNimAdd:
        log.push_back("add");
        icons_[key] = data;
        break;
    case kNimModify: {
        log.push_back("modify");
        const auto it = icons_.find(key);
        if (it == icons_.end()) return false;
        // Only the fields the flags name change, as in the shell.
        if (data.uFlags & kNifMessage) it->second.uCallbackMessage = data.uCallbackMessage;
        if (data.uFlags & kNifIcon) it->second.hIcon = data.hIcon;
        if (data.uFlags & kNifTip) it->second.szTip = data.szTip;
        break;
    }
    case kNimDelete:
        log.push_back("delete");
        return icons_.erase(key) > 0;
    default:
        log.push_back("unknown");
        return false;
    }
    return true;
}

std::string MemoryShell::Tip(const NotifyIconData& data) {
    const std::size_t n = strnlen(data.szTip.data(), data.szTip.size());
    return std::string(data.szTip.data(), n);
}

}  // namespace platform::memory
