#include "wingui/subclass.h"

#include <algorithm>

namespace wingui {

bool SubclassTable::Attach(HWND hwnd, void* data) {
    if (!hwnd || Find(hwnd).previous) return false;
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (!previous) return false;
    // The entry first: the first message through the new procedure must find it.
    entries_.push_back({hwnd, previous, data});
    if (!SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc_))) {
        entries_.pop_back();
        return false;
    }
    return true;
}

SubclassTable::Entry SubclassTable::Find(HWND hwnd) const {
    for (const Entry& e : entries_)
        if (e.hwnd == hwnd) return e;
    return {};
}

LRESULT SubclassTable::CallPrevious(const Entry& entry, HWND hwnd, UINT msg, WPARAM wParam,
                                    LPARAM lParam) {
    const LRESULT result = entry.previous
                               ? CallWindowProcA(entry.previous, hwnd, msg, wParam, lParam)
                               : DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY)
        entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                      [hwnd](const Entry& e) { return e.hwnd == hwnd; }),
                       entries_.end());
    return result;
}

}  // namespace wingui
