#pragma once
// Registry on advapi32, single-byte calls. RegKey values: kLocalMachine and kCurrentUser stand
// for the predefined roots; every other non-zero value is an HKEY this class handed out.
#include "platform/registry.h"

namespace platform::win32 {

class Win32Registry final : public Registry {
public:
    enum class View {
        Native,  // the view of the program's own bitness (RegOpenKeyA, RegCreateKeyA)
        // The view of a 32-bit program. A 64-bit build opens keys with KEY_WOW64_32KEY (and
        // only the rights reading needs); the 32-bit build sees this view natively.
        Wow32,
    };
    explicit Win32Registry(View view = View::Native) : view_(view) {}

    bool OpenKey(RegKey parent, std::string_view subKey, RegKey& out) override;
    bool OpenKeyEx(RegKey parent, std::string_view subKey, std::uint32_t access,
                   RegKey& out) override;
    bool OpenKeyInView(RegView view, RegKey parent, std::string_view subKey,
                       RegKey& out) override;
    bool CreateKey(RegKey parent, std::string_view subKey, RegKey& out) override;
    // The whole value whatever its length: its type and exactly the bytes RegQueryValueExA
    // reports, no NUL added or stripped. nullopt when the value is absent or the call fails.
    std::optional<RegValue> QueryValue(RegKey key, std::string_view name) override;
    // RegSetValueExA with exactly bytes.size() bytes; no terminating NUL is added.
    bool SetValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::string_view bytes) override;
    bool DeleteValue(RegKey key, std::string_view name) override;
    // RegCloseKey; the predefined roots are never closed.
    void CloseKey(RegKey key) override;

private:
    View view_;
};

}  // namespace platform::win32
