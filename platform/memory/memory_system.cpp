#include "platform/memory/memory_system.h"

#include <algorithm>

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

std::optional<std::string> MemorySystem::ReadWholeFile(const std::string& path,
                                                     std::size_t maxBytes) {
    fileOps.push_back("read " + path);
    if (refuseReads || !files.count(path)) return std::nullopt;
    return Contents(path)->substr(0, maxBytes);
}

bool MemorySystem::WriteWholeFile(const std::string& path, std::string_view bytes) {
    fileOps.push_back("write " + path);
    // As CreateFileA: the folder must be there.
    if (!folders.count(Parent(path))) return false;
    files.insert(path);
    if (failNextWriteAfter) {
        const std::size_t written = std::min(*failNextWriteAfter, bytes.size());
        failNextWriteAfter.reset();
        contents[path] = std::string(bytes.substr(0, written));
        return false;
    }
    contents[path] = std::string(bytes);
    return true;
}

bool MemorySystem::MoveFileOver(const std::string& source, const std::string& target) {
    fileOps.push_back("move " + source + " > " + target);
    if (refuseMoves || !files.count(source) || !folders.count(Parent(target))) return false;
    const std::string bytes = *Contents(source);
    files.erase(source);
    contents.erase(source);
    files.insert(target);
    contents[target] = bytes;
    return true;
}

bool MemorySystem::RemoveFile(const std::string& path) {
    fileOps.push_back("remove " + path);
    contents.erase(path);
    return files.erase(path) > 0;
}

std::optional<std::string> MemorySystem::Contents(const std::string& path) const {
    if (!files.count(path)) return std::nullopt;
    const auto it = contents.find(path);
    return it == contents.end() ? std::string() : it->second;
}

void MemorySystem::PutFile(const std::string& path, const std::string& bytes) {
    files.insert(path);
    contents[path] = bytes;
}

}  // namespace platform::memory
