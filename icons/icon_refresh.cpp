#include "icons/icon_refresh.h"

#include <limits>
#include <string>

#include "platform/decimal.h"

namespace icons {

namespace {

void BroadcastIconMetrics(platform::Desktop& desktop) {
    desktop.SendWithTimeout(kHwndBroadcast, kWmSettingChange, kSpiSetNonClientMetrics, 0,
                            kSmtoAbortIfHung, kBroadcastTimeoutMs);
}

// Holds LockWindowUpdate on one window for its lifetime. Only one window in the system can be
// locked; when another program holds the lock, it is refused, and letting go would end that
// program's lock instead: only a lock taken here is let go.
class WindowUpdateLock {
public:
    WindowUpdateLock(platform::Desktop& desktop, platform::WindowHandle window)
        : desktop_(desktop), locked_(desktop_.LockUpdate(window)) {}
    WindowUpdateLock(const WindowUpdateLock&) = delete;
    WindowUpdateLock& operator=(const WindowUpdateLock&) = delete;
    ~WindowUpdateLock() {
        if (locked_) desktop_.LockUpdate(0);
    }

private:
    platform::Desktop& desktop_;
    bool locked_;
};

}  // namespace

void CycleShellIconSize(platform::Desktop& desktop, platform::Registry& registry) {
    platform::ScopedRegKey key(registry);
    if (!registry.OpenKeyEx(platform::kCurrentUser, kWindowMetricsKey, kWindowMetricsAccess,
                            key.Receive()))
        return;
    const auto value = registry.QueryValue(key.Get(), kShellIconSize);
    if (!value || value->type != platform::kRegSz || value->bytes.empty()) return;
    // The text up to its first NUL; all of it when it holds none.
    const std::string text = value->bytes.substr(0, value->bytes.find('\0'));
    if (text.empty()) return;
    // A whole number whose predecessor still fits 32 bits; a fraction or a number out of
    // range is left alone like any other text.
    const auto size = platform::ParseDecimal(text, std::numeric_limits<std::int32_t>::min() + 1LL,
                                             std::numeric_limits<std::int32_t>::max());
    if (!size) return;

    // Each text is written with its NUL, in the type it was read with.
    std::string lowered = platform::Decimal(static_cast<std::int32_t>(*size - 1));
    lowered.push_back('\0');
    if (!registry.SetValue(key.Get(), kShellIconSize, value->type, lowered)) return;
    BroadcastIconMetrics(desktop);

    std::string original = text;
    original.push_back('\0');
    registry.SetValue(key.Get(), kShellIconSize, value->type, original);
    BroadcastIconMetrics(desktop);
}

void RefreshDesktopIcons(platform::Desktop& desktop, platform::Registry& registry) {
    WindowUpdateLock lock(desktop, desktop.DesktopWindow());
    CycleShellIconSize(desktop, registry);
}

}  // namespace icons
