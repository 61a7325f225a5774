#pragma once
// An in-memory registry tree for the unit tests: keys matched without regard to case,
// handles that must be closed, values stored byte for byte. HKEY_LOCAL_MACHINE and
// HKEY_CURRENT_USER are there, and as on 64-bit Windows HKEY_LOCAL_MACHINE has a second, 64-bit
// view (RegView::Bits64) beside the own one; HKEY_CURRENT_USER is the same in both.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace platform::memory {

class MemoryRegistry : public Registry {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    bool OpenKey(RegKey parent, std::string_view subKey, RegKey& out) override;
    bool OpenKeyEx(RegKey parent, std::string_view subKey, std::uint32_t access,
                   RegKey& out) override;
    bool OpenKeyInView(RegView view, RegKey parent, std::string_view subKey,
                       RegKey& out) override;
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
    // The same below another root (kLocalMachine or kCurrentUser).
    void Put(RegKey root, const std::string& path, const std::string& name,
             const std::string& bytes, std::uint32_t type = kRegSz);
    std::optional<RegValue> Get(RegKey root, const std::string& path,
                                const std::string& name) const;
    bool KeyExists(RegKey root, const std::string& path) const;
    // The same below HKEY_LOCAL_MACHINE in the given view.
    void Put(RegView view, const std::string& path, const std::string& name,
             const std::string& bytes, std::uint32_t type = kRegSz);
    std::optional<RegValue> Get(RegView view, const std::string& path,
                                const std::string& name) const;

    // While set, every write (create, set, delete) is refused, as without rights to HKLM.
    void DenyWrites(bool deny) { denyWrites_ = deny; }
    // The next `count` value writes succeed, every later one is refused (until DenyWrites).
    void RefuseWritesAfter(int count) { writesLeft_ = count; }
    // While set, writes below HKEY_LOCAL_MACHINE are refused and those below HKEY_CURRENT_USER
    // work, as for a standard user from Windows Vista on (where the Run key has no virtual
    // store to take them instead).
    void DenyMachineWrites(bool deny) { denyMachineWrites_ = deny; }
    // The access rights of every OpenKeyEx, in order.
    const std::vector<std::uint32_t>& OpenAccess() const { return openAccess_; }
    // Handles opened and not yet closed.
    int OpenHandles() const { return static_cast<int>(handles_.size()); }
    int Writes() const { return writes_; }

private:
    struct Key;
    Key* Resolve(RegKey key) const;
    Key* Root(RegKey root, RegView view = RegView::Own) const;
    bool WriteAllowed(const Key* key);
    bool UnderUser(const Key* key) const;
    Key* Walk(Key* from, std::string_view path, bool create) const;
    std::optional<RegValue> ValueAt(Key* from, const std::string& path,
                                    const std::string& name) const;
    RegKey NewHandle(Key* key);

    std::unique_ptr<Key> root_;    // HKEY_LOCAL_MACHINE
    std::unique_ptr<Key> root64_;  // HKEY_LOCAL_MACHINE, 64-bit view
    std::unique_ptr<Key> user_;  // HKEY_CURRENT_USER
    std::map<RegKey, Key*> handles_;
    RegKey nextHandle_ = 0x1000;
    bool denyWrites_ = false;
    bool denyMachineWrites_ = false;
    int writesLeft_ = -1;  // negative: no limit
    std::vector<std::uint32_t> openAccess_;
    int writes_ = 0;
};

}  // namespace platform::memory
