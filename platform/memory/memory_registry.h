#pragma once
// An in-memory registry tree for the unit tests: keys matched without regard to case,
// handles that must be closed, values stored byte for byte.
#include <map>
#include <memory>
#include <string>

#include "platform/registry.h"

namespace platform::memory {

class MemoryRegistry : public Registry {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    bool OpenKey(RegKey parent, std::string_view subKey, RegKey& out) override;
    bool CreateKey(RegKey parent, std::string_view subKey, RegKey& out) override;
    std::optional<RegValue> QueryValue(RegKey key, std::string_view name) override;
    bool SetValue(RegKey key, std::string_view name, std::uint32_t type,
                  std::string_view bytes) override;
    bool DeleteValue(RegKey key, std::string_view name) override;
    void CloseKey(RegKey key) override;

    // Direct access by full path below HKEY_LOCAL_MACHINE, e.g. "SOFTWARE\Morv Dravik\Options".
    void Put(const std::string& path, const std::string& name, const std::string& bytes,
             std::uint32_t type = kRegSz);
    std::optional<RegValue> Get(const std::string& path, const std::string& name) const;
    bool KeyExists(const std::string& path) const;

    // While set, every write (create, set, delete) is refused, as without rights to HKLM.
    void DenyWrites(bool deny) { denyWrites_ = deny; }
    // Handles opened and not yet closed.
    int OpenHandles() const { return static_cast<int>(handles_.size()); }
    int Writes() const { return writes_; }

private:
    struct Key;
    Key* Resolve(RegKey key) const;
    Key* Walk(Key* from, std::string_view path, bool create) const;
    RegKey NewHandle(Key* key);

    std::unique_ptr<Key> root_;  // HKEY_LOCAL_MACHINE
    std::map<RegKey, Key*> handles_;
    RegKey nextHandle_ = 0x1000;
    bool denyWrites_ = false;
    int writes_ = 0;
};

}  // namespace platform::memory
