#pragma once
// One owner for every kind of Win32 handle the program keeps: registry keys, kernel handles,
// GDI objects, memory DCs, menus and icons. Scoped<Traits> closes what it holds when it goes;
// copies are deleted (two owners of one handle would close it twice), a move hands the handle
// on. Traits say what differs between kinds:
//   Handle               the handle type
//   IsEmpty(h)           true for the values that hold nothing (never closed)
//   Close(h)             gives a held handle back to the system
//   kCounted             what the soak build counts it as (live_handles.h), or nothing
// Header-only and without virtual calls: each owner is its handle and inline calls.
#include <windows.h>

#include "platform/win32/live_handles.h"

namespace platform::win32 {

// The predefined roots (HKEY_CLASSES_ROOT .. HKEY_PERFORMANCE_NLSTEXT) are pseudo-handles that
// must never be closed. On x86_64 they are sign-extended (0xFFFFFFFF80000002 for
// HKEY_LOCAL_MACHINE), so compare against the macros, not against 0x80000000-style literals.
inline bool IsPredefinedKey(HKEY key) {
    const auto value = reinterpret_cast<ULONG_PTR>(key);
    return value >= reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT) &&
           value <= reinterpret_cast<ULONG_PTR>(HKEY_PERFORMANCE_NLSTEXT);
}

template <typename Traits>
class Scoped {
public:
    using Handle = typename Traits::Handle;

    Scoped() = default;
    explicit Scoped(Handle handle) : handle_(handle) { Count(handle_, +1); }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    // The handle moves with its count: it is still held, by another owner.
    Scoped(Scoped&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    ~Scoped() { CloseHeld(); }

    Handle Get() const { return handle_; }
    // Something is held: not one of the empty values.
    explicit operator bool() const { return !Traits::IsEmpty(handle_); }

    // Closes what is held and holds `handle` instead (nothing by default).
    void Reset(Handle handle = nullptr) {
        CloseHeld();
        handle_ = handle;
        Count(handle_, +1);
    }
    // Gives the handle up without closing it: the caller owns it now.
    Handle Release() {
        const Handle handle = handle_;
        Count(handle_, -1);
        handle_ = nullptr;
        return handle;
    }
    // For the calls that hand a new handle back through a pointer (RegOpenKeyEx, RegCreateKeyEx):
    // closes what is held and gives the address to write the new one to, which this owner then
    // holds. Only for kinds the soak does not count, as nothing sees the handle arrive.
    Handle* ReleaseAndGetAddressOf()
        requires(Traits::kCounted == HeldKind::None)
    {
        Reset();
        return &handle_;
    }

private:
    void CloseHeld() {
        if (!Traits::IsEmpty(handle_)) {
            Count(handle_, -1);
            Traits::Close(handle_);
        }
    }
    // The one place the soak's counts change (nothing outside the soak build).
    static void Count([[maybe_unused]] Handle handle, [[maybe_unused]] int delta) {
        if constexpr (Traits::kCounted != HeldKind::None) CountHeld(Traits::kCounted, !Traits::IsEmpty(handle), delta);
    }

    Handle handle_ = nullptr;
};

// A registry key from RegOpenKey*/RegCreateKey*. Holding a predefined root is allowed
// (RegOpenKeyA hands the parent back for an empty sub-key); it is simply not closed.
struct RegistryKeyTraits {
    using Handle = HKEY;
    static bool IsEmpty(HKEY key) { return key == nullptr; }
    static void Close(HKEY key) {
        if (!IsPredefinedKey(key)) RegCloseKey(key);
    }
    static constexpr HeldKind kCounted = HeldKind::None;
};

// A kernel object handle (process, thread, mutex, event, file). CreateFile-style calls report
// failure as INVALID_HANDLE_VALUE, the others as NULL; neither is closed.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static bool IsEmpty(HANDLE handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
    static constexpr HeldKind kCounted = HeldKind::None;
};

// A handle that NULL leaves empty, closed by `close` and counted by the soak as `kind`.
template <typename H, auto close, HeldKind kind>
struct NullEmptyTraits {
    using Handle = H;
    static bool IsEmpty(H handle) { return handle == nullptr; }
    static void Close(H handle) { close(handle); }
    static constexpr HeldKind kCounted = kind;
};

// A GDI object of type T (HBRUSH, HPEN, HFONT, HBITMAP, HRGN), deleted with DeleteObject. A
// bitmap must not be selected into a DC when it goes.
template <typename T>
using GdiObjectTraits = NullEmptyTraits<T, &DeleteObject, HeldKind::Gdi>;
// A DC of CreateCompatibleDC. The objects it started with must be selected back before it goes
// (ScopedSelection).
using MemoryDcTraits = NullEmptyTraits<HDC, &DeleteDC, HeldKind::Gdi>;
// A menu of CreateMenu/CreatePopupMenu that no window holds.
using MenuTraits = NullEmptyTraits<HMENU, &DestroyMenu, HeldKind::User>;
// An icon from LoadImage without LR_SHARED or CreateIcon*, which its loader must destroy.
using IconTraits = NullEmptyTraits<HICON, &DestroyIcon, HeldKind::User>;

using ScopedHKEY = Scoped<RegistryKeyTraits>;
using ScopedHandle = Scoped<KernelHandleTraits>;
template <typename T>
using ScopedGdiObject = Scoped<GdiObjectTraits<T>>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedMemoryDc = Scoped<MemoryDcTraits>;
using ScopedMenu = Scoped<MenuTraits>;
using ScopedIcon = Scoped<IconTraits>;

// A window's DC from GetDC, given back with ReleaseDC when the scope ends. For no window
// (nullptr), the screen's. Empty (false) when GetDC fails.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// An object selected into a DC, and the object the DC had before selected back when the
// selection ends. Selecting again keeps the first one as what goes back: a DC's own bitmap
// before a line of DIB sections, say.
class ScopedSelection {
public:
    ScopedSelection() = default;
    ScopedSelection(HDC dc, HGDIOBJ object) { Select(dc, object); }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    ~ScopedSelection() { Restore(); }

    void Select(HDC dc, HGDIOBJ object) {
        const HGDIOBJ previous = SelectObject(dc, object);
        if (!original_) {
            dc_ = dc;
            original_ = previous;
        }
    }
    // Selects the first object back now (nothing when there is none); the scope then ends empty.
    void Restore() {
        if (original_) SelectObject(dc_, original_);
        original_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ original_ = nullptr;
};

}  // namespace platform::win32
