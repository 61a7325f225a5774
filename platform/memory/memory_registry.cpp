#include "platform/memory/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace platform::memory {
namespace {

std::string Fold(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

}  // namespace

struct MemoryRegistry::Key {
    std::map<std::string, std::unique_ptr<Key>> children;  // by folded name
    std::map<std::string, RegValue> values;                // by folded name
};

MemoryRegistry::MemoryRegistry()
    : root_(std::make_unique<Key>()),
      root64_(std::make_unique<Key>()),
      user_(std::make_unique<Key>()) {}
MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Key* MemoryRegistry::Root(RegKey root, RegView view) const {
    if (root == kLocalMachine) return view == RegView::Bits64 ? root64_.get() : root_.get();
    if (root == kCurrentUser) return user_.get();
    return nullptr;
}

bool MemoryRegistry::UnderUser(const Key* key) const {
    std::vector<const Key*> todo{user_.get()};
    while (!todo.empty()) {
        const Key* k = todo.back();
        todo.pop_back();
        if (k == key) return true;
        for (const auto& [name, child] : k->children) todo.push_back(child.get());
    }
    return false;
}

bool MemoryRegistry::WriteAllowed(const Key* key) {
    if (denyWrites_ || writesLeft_ == 0) return false;
    if (denyMachineWrites_ && !UnderUser(key)) return false;
    if (writesLeft_ > 0) --writesLeft_;
    return true;
}

MemoryRegistry::Key* MemoryRegistry::Resolve(RegKey key) const {
    if (Key* root = Root(key)) return root;
    const auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : it->second;
}

MemoryRegistry::Key* MemoryRegistry::Walk(Key* from, std::string_view path, bool create) const {
    Key* key = from;
    while (key && !path.empty()) {
        const auto slash = path.find('\\');
        const std::string part = Fold(path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (part.empty()) continue;
        auto it = key->children.find(part);
        if (it == key->children.end()) {
            if (!create) return nullptr;
            it = key->children.emplace(part, std::make_unique<Key>()).first;
        }
        key = it->second.get();
    }
    return key;
}

RegKey MemoryRegistry::NewHandle(Key* key) {
    const RegKey handle = nextHandle_++;
    handles_[handle] = key;
    return handle;
}

bool MemoryRegistry::OpenKey(RegKey parent, std::string_view subKey, RegKey& out) {
    Key* key = Walk(Resolve(parent), subKey, false);
    if (!key) return false;
    out = NewHandle(key);
    return true;
}

bool MemoryRegistry::OpenKeyEx(RegKey parent, std::string_view subKey, std::uint32_t access,
                               RegKey& out) {
    openAccess_.push_back(access);
    return OpenKey(parent, subKey, out);
}

bool MemoryRegistry::OpenKeyInView(RegView view, RegKey parent, std::string_view subKey,
                                   RegKey& out) {
    // Below an opened key the view is the one that key was opened in.
    Key* base = Root(parent, view);
    if (!base) base = Resolve(parent);
    Key* key = Walk(base, subKey, false);
    if (!key) return false;
    out = NewHandle(key);
    return true;
}

bool MemoryRegistry::CreateKey(RegKey parent, std::string_view subKey, RegKey& out) {
    Key* base = Resolve(parent);
    if (!base) return false;
    if ((denyWrites_ || (denyMachineWrites_ && !UnderUser(base))) && !Walk(base, subKey, false))
        return false;
    out = NewHandle(Walk(base, subKey, true));
    return true;
}

std::optional<RegValue> MemoryRegistry::QueryValue(RegKey key, std::string_view name) {
    const Key* k = Resolve(key);
    if (!k) return std::nullopt;
    const auto it = k->values.find(Fold(name));
    if (it == k->values.end()) return std::nullopt;
    return it->second;
}

bool MemoryRegistry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                              std::string_view bytes) {
    Key* k = Resolve(key);
    if (!k || !WriteAllowed(k)) return false;
    k->values[Fold(name)] = RegValue{type, std::string(bytes)};
    ++writes_;
    return true;
}

bool MemoryRegistry::DeleteValue(RegKey key, std::string_view name) {
    Key* k = Resolve(key);
    if (!k || denyWrites_ || (denyMachineWrites_ && !UnderUser(k))) return false;
    ++writes_;
    return k->values.erase(Fold(name)) > 0;
}

void MemoryRegistry::CloseKey(RegKey key) { handles_.erase(key); }

void MemoryRegistry::Put(const std::string& path, const std::string& name,
                         const std::string& bytes, std::uint32_t type) {
    Put(kLocalMachine, path, name, bytes, type);
}

std::optional<RegValue> MemoryRegistry::Get(const std::string& path,
                                            const std::string& name) const {
    return Get(kLocalMachine, path, name);
}

bool MemoryRegistry::KeyExists(const std::string& path) const {
    return KeyExists(kLocalMachine, path);
}

void MemoryRegistry::Put(RegKey root, const std::string& path, const std::string& name,
                         const std::string& bytes, std::uint32_t type) {
    Walk(Root(root), path, true)->values[Fold(name)] = RegValue{type, bytes};
}

std::optional<RegValue> MemoryRegistry::Get(RegKey root, const std::string& path,
                                            const std::string& name) const {
    return ValueAt(Root(root), path, name);
}

bool MemoryRegistry::KeyExists(RegKey root, const std::string& path) const {
    return Walk(Root(root), path, false) != nullptr;
}

void MemoryRegistry::Put(RegView view, const std::string& path, const std::string& name,
                         const std::string& bytes, std::uint32_t type) {
    Walk(Root(kLocalMachine, view), path, true)->values[Fold(name)] = RegValue{type, bytes};
}

std::optional<RegValue> MemoryRegistry::Get(RegView view, const std::string& path,
                                            const std::string& name) const {
    return ValueAt(Root(kLocalMachine, view), path, name);
}

std::optional<RegValue> MemoryRegistry::ValueAt(Key* from, const std::string& path,
                                                const std::string& name) const {
    const Key* k = Walk(from, path, false);
    if (!k) return std::nullopt;
    const auto it = k->values.find(Fold(name));
    if (it == k->values.end()) return std::nullopt;
    return it->second;
}

}  // namespace platform::memory
