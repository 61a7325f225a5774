#pragma once
// Owners for the Win32 handles the platform layer keeps. Copies are deleted: two owners of one
// handle would close it twice.
#include <windows.h>

namespace platform::win32 {

// The predefined roots (HKEY_CLASSES_ROOT .. HKEY_PERFORMANCE_NLSTEXT) are pseudo-handles that
// must never be closed. On x86_64 they are sign-extended (0xFFFFFFFF80000002 for
// HKEY_LOCAL_MACHINE), so compare against the macros, not against 0x80000000-style literals.
inline bool IsPredefinedKey(HKEY key) {
    const auto value = reinterpret_cast<ULONG_PTR>(key);
    return value >= reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT) &&
           value <= reinterpret_cast<ULONG_PTR>(HKEY_PERFORMANCE_NLSTEXT);
}

// A registry key from RegOpenKey*/RegCreateKey*. Holding a predefined root is allowed
// (RegOpenKeyA hands the parent back for an empty sub-key); it is simply not closed.
class ScopedHKEY {
public:
    ScopedHKEY() = default;
    explicit ScopedHKEY(HKEY key) : key_(key) {}
    ScopedHKEY(const ScopedHKEY&) = delete;
    ScopedHKEY& operator=(const ScopedHKEY&) = delete;
    ~ScopedHKEY() { Close(); }

    // Out-parameter for the Reg* calls; closes whatever was held before.
    HKEY* Receive() {
        Close();
        return &key_;
    }
    HKEY Get() const { return key_; }
    HKEY Detach() {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }
    explicit operator bool() const { return key_ != nullptr; }

    void Close() {
        if (key_ && !IsPredefinedKey(key_)) RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

// A kernel object handle (process, thread, mutex). CreateFile-style calls report failure as
// INVALID_HANDLE_VALUE, the others as NULL; neither is closed.
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { Close(); }

    void Reset(HANDLE handle) {
        Close();
        handle_ = handle;
    }
    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }

    void Close() {
        if (*this) CloseHandle(handle_);
        handle_ = nullptr;
    }

private:
    HANDLE handle_ = nullptr;
};

}  // namespace platform::win32
