#pragma once
// Registry access in the shape of the advapi32 calls the program makes (RegOpenKeyA,
// RegOpenKeyExA, RegCreateKeyA, RegQueryValueExA, RegSetValueExA, RegDeleteValueA,
// RegCloseKey), in the program's own registry view or in the 64-bit one.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

using RegKey = std::uintptr_t;  // opaque handle; 0 is "no key"

inline constexpr RegKey kNoKey = 0;
inline constexpr RegKey kLocalMachine = 0x80000002;  // HKEY_LOCAL_MACHINE
inline constexpr RegKey kCurrentUser = 0x80000001;   // HKEY_CURRENT_USER

inline constexpr std::uint32_t kRegSz = 1;        // REG_SZ
inline constexpr std::uint32_t kRegExpandSz = 2;  // REG_EXPAND_SZ
inline constexpr std::uint32_t kRegBinary = 3;    // REG_BINARY
inline constexpr std::uint32_t kRegDword = 4;     // REG_DWORD
inline constexpr std::uint32_t kRegMultiSz = 7;   // REG_MULTI_SZ

// A stored value exactly as RegQueryValueExA hands it out: its type and all of its bytes
// (a terminating NUL, when the writer stored one, is part of the bytes).
struct RegValue {
    std::uint32_t type = 0;
    std::string bytes;
};

// On 64-bit Windows HKLM\SOFTWARE has two views: the 32-bit programs' (WOW6432Node) and the
// 64-bit programs'. A key opened in one view keeps its sub-keys in that view.
enum class RegView {
    Own,     // the view the registry object was made for (RegOpenKeyA)
    Bits64,  // the 64-bit view whatever the program's bitness (KEY_WOW64_64KEY)
};

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyA: on success stores the new handle in `out` and returns true; on failure
    // `out` is left untouched and false is returned.
    virtual bool OpenKey(RegKey parent, std::string_view subKey, RegKey& out) = 0;
    // RegOpenKeyExA(parent, subKey, 0, access, &key): as OpenKey, with these access rights.
    virtual bool OpenKeyEx(RegKey parent, std::string_view subKey, std::uint32_t access,
                           RegKey& out) = 0;
    // Opens a key for reading in the given view: as OpenKey for RegView::Own, else
    // RegOpenKeyExA(parent, subKey, 0, KEY_READ | KEY_WOW64_64KEY, &key). Where there is only one
    // view (32-bit Windows) both find the same key.
    virtual bool OpenKeyInView(RegView view, RegKey parent, std::string_view subKey,
                               RegKey& out) = 0;
    // RegCreateKeyA: opens the key, creating it (and missing parents) first when absent.
    virtual bool CreateKey(RegKey parent, std::string_view subKey, RegKey& out) = 0;
    // RegQueryValueExA: the whole value, however long; nullopt when absent or unreadable.
    virtual std::optional<RegValue> QueryValue(RegKey key, std::string_view name) = 0;
    // RegSetValueExA with exactly these bytes (no terminating NUL is added).
    virtual bool SetValue(RegKey key, std::string_view name, std::uint32_t type,
                          std::string_view bytes) = 0;
    virtual bool DeleteValue(RegKey key, std::string_view name) = 0;
    virtual void CloseKey(RegKey key) = 0;
};

// Owns one opened key and closes it when it goes out of scope. The predefined root keys
// are never closed.
class ScopedRegKey {
public:
    explicit ScopedRegKey(Registry& registry) : registry_(registry) {}
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;
    ~ScopedRegKey() { Close(); }

    // Out-parameter for OpenKey/CreateKey; closes whatever was held before.
    RegKey& Receive() {
        Close();
        return key_;
    }
    RegKey Get() const { return key_; }
    explicit operator bool() const { return key_ != kNoKey; }

    void Close() {
        if (key_ != kNoKey) registry_.CloseKey(key_);
        key_ = kNoKey;
    }

private:
    Registry& registry_;
    RegKey key_ = kNoKey;
};

}  // namespace platform
