#include "platform/memory/memory_system.h"

namespace platform::memory {
namespace {

// Folder paths compare without their trailing backslash, as the file system does.
std::string Bare(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

std::string Parent(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool MemorySystem::FolderExists(const std::string& path) { return folders.count(Bare(path)) > 0; }

bool MemorySystem::CreateFolder(const std::string& path) {
    const std::string bare = Bare(path);
    foldersCreated.push_back(path);
    if (refuseFolderCreation || folders.count(bare) || !folders.count(Parent(bare))) return false;
    folders.insert(bare);
    return true;
}

}  // namespace platform::memory
