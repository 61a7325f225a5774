#include "platform/win32/win32_registry.h"

#include <string>

#include "platform/win32/scoped.h"

namespace platform::win32 {

namespace {

// RegKey keeps the roots as their 32-bit values, but on x86_64 the HKEY_* macros are
// sign-extended (0xFFFFFFFF80000002), so a plain cast would miss them.
HKEY ToHkey(RegKey key) {
    if (key == kLocalMachine) return HKEY_LOCAL_MACHINE;
    if (key == kCurrentUser) return HKEY_CURRENT_USER;
    return reinterpret_cast<HKEY>(key);
}

RegKey FromHkey(HKEY key) {
    // RegOpenKeyA hands the parent itself back for an empty sub-key.
    if (key == HKEY_LOCAL_MACHINE) return kLocalMachine;
    if (key == HKEY_CURRENT_USER) return kCurrentUser;
    return reinterpret_cast<RegKey>(key);
}

}  // namespace

bool Win32Registry::OpenKey(RegKey parent, std::string_view subKey, RegKey& out) {
    HKEY key = nullptr;
#ifdef _WIN64
    if (view_ == View::Wow32) {
        if (RegOpenKeyExA(ToHkey(parent), std::string(subKey).c_str(), 0,
                          KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
            return false;
        out = FromHkey(key);
        return true;
    }
#endif
    if (RegOpenKeyA(ToHkey(parent), std::string(subKey).c_str(), &key) != ERROR_SUCCESS)
        return false;
    out = FromHkey(key);
    return true;
}

bool Win32Registry::OpenKeyEx(RegKey parent, std::string_view subKey, std::uint32_t access,
                              RegKey& out) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(ToHkey(parent), std::string(subKey).c_str(), 0, access, &key) !=
        ERROR_SUCCESS)
        return false;
    out = FromHkey(key);
    return true;
}

bool Win32Registry::OpenKeyInView(RegView view, RegKey parent, std::string_view subKey,
                                  RegKey& out) {
    if (view == RegView::Own) return OpenKey(parent, subKey, out);
    return OpenKeyEx(parent, subKey, KEY_READ | KEY_WOW64_64KEY, out);
}

bool Win32Registry::CreateKey(RegKey parent, std::string_view subKey, RegKey& out) {
    HKEY key = nullptr;
#ifdef _WIN64
    if (view_ == View::Wow32) {
        if (RegCreateKeyExA(ToHkey(parent), std::string(subKey).c_str(), 0, nullptr, 0,
                            KEY_READ | KEY_WRITE | KEY_WOW64_32KEY, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return false;
        out = FromHkey(key);
        return true;
    }
#endif
    if (RegCreateKeyA(ToHkey(parent), std::string(subKey).c_str(), &key) != ERROR_SUCCESS)
        return false;
    out = FromHkey(key);
    return true;
}

std::optional<RegValue> Win32Registry::QueryValue(RegKey key, std::string_view name) {
    const HKEY hkey = ToHkey(key);
    const std::string valueName(name);
    DWORD type = 0;
    DWORD size = 0;
    // Size first. For string types the size may be an upper bound (Windows can answer with the
    // stored UTF-16 length; Wine answers exactly), hence the resize to what the read reports.
    LONG rc = RegQueryValueExA(hkey, valueName.c_str(), nullptr, &type, nullptr, &size);
    // A few rounds only: a value rewritten longer and longer without pause is not worth a spin.
    for (int round = 0; round < 8 && rc == ERROR_SUCCESS; ++round) {
        std::string bytes(size, '\0');
        DWORD got = size;
        rc = RegQueryValueExA(hkey, valueName.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(bytes.data()), &got);
        if (rc == ERROR_SUCCESS) {
            bytes.resize(got);
            return RegValue{type, std::move(bytes)};
        }
        // The value grew between the two calls; got now holds the new size.
        if (rc == ERROR_MORE_DATA) {
            size = got;
            rc = ERROR_SUCCESS;
        }
    }
    return std::nullopt;
}

bool Win32Registry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                             std::string_view bytes) {
    // For string types RegSetValueExA looks at the byte after the data: when the data does not
    // end in a NUL but that byte is one, it stores that NUL too (Wine does, after NT). Every
    // std::string has a NUL there, so the copy gets a non-NUL guard byte and the stored count
    // stays exactly bytes.size().
    std::string data(bytes);
    data.push_back('\x01');
    return RegSetValueExA(ToHkey(key), std::string(name).c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(RegKey key, std::string_view name) {
    return RegDeleteValueA(ToHkey(key), std::string(name).c_str()) == ERROR_SUCCESS;
}

void Win32Registry::CloseKey(RegKey key) {
    const HKEY hkey = ToHkey(key);
    if (hkey && !IsPredefinedKey(hkey)) RegCloseKey(hkey);
}

}  // namespace platform::win32
