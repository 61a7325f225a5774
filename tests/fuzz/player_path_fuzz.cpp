// The players' look-up over any stored install value: whatever an installer, another program
// or a damaged registry left there, the cut of the 256-character read text gives a defined
// folder, the installed flag follows from it, and the starter opens that folder's program when
// its path is absolute.
//
// Input: one byte of set-up, then the value's bytes (of any length). Set-up bits 0-1: the
// value's type (REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD); bit 2: the value is absent;
// bit 3: the whole key is absent; bits 4-5: the player (PowerDVD, WinDVD, VLC; 3 is VLC too).
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "launch/html.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "settings/settings_store.h"

namespace {

using platform::memory::MemoryRegistry;

constexpr std::uint32_t kTypes[] = {platform::kRegSz, platform::kRegExpandSz,
                                    platform::kRegBinary, platform::kRegDword};

// A path the shell cannot look for on the search path or in the current folder: a drive
// letter, colon and backslash, or "\\server\share" with both names there. Written here apart
// from the starter's own test, so that the oracle does not restate it.
bool Absolute(const std::string& p) {
    if (p.size() >= 3 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':' && p[2] == '\\')
        return true;
    if (p.rfind("\\\\", 0) != 0) return false;
    const std::size_t slash = p.find('\\', 2);
    return slash != std::string::npos && slash > 2 && slash + 1 < p.size() && p[slash + 1] != '\\';
}

void CheckPlayer(MemoryRegistry& registry, const launch::Player& player) {
    // What the shared registry read gives for this value: always 256 characters.
    const std::string text =
        settings::ReadRegText(registry, player.upperKey, player.lowerKey, player.valueName);
    FUZZ_CHECK(text.size() == settings::kReadBufferSize);

    bool installed = true;
    const std::string path = launch::PlayerPath(registry, player, installed);
    const std::string word = player.lowerKey;
    const std::size_t keep = word.size() - 1;
    // The folder is always the start of the read text, never more than it.
    FUZZ_CHECK(path.size() <= text.size());
    FUZZ_CHECK(text.compare(0, path.size(), path) == 0);
    const auto at = text.find(word);
    if (at == std::string::npos) {
        // No word: its first (word length - 1) characters.
        FUZZ_CHECK(path.size() == keep);
    } else {
        // Cut right after the word's first occurrence.
        FUZZ_CHECK(path.size() == at + word.size());
        FUZZ_CHECK(path.find(word) == at);
    }
    FUZZ_CHECK(installed == (path != std::string(keep, ' ')));
    // A blank text (nothing stored where it was looked for) is never a player.
    if (text.find_first_not_of(' ') == std::string::npos) FUZZ_CHECK(!installed);

    // The starter opens that folder's program in a normal window, and only from a drive or a
    // server share, never from the search path. ShellExecuteA gets a C string: what the shell
    // sees is the file text up to its first NUL, so the folder is cut at the read text's
    // first NUL and the program file always follows it.
    platform::memory::MemoryShell shell;
    launch::StartPlayer(shell, path, player);
    const std::string folder = path.substr(0, std::min(path.size(), text.find('\0')));
    const std::string expected = folder + player.programFile;
    FUZZ_CHECK(shell.executed.size() == (Absolute(expected) ? 1u : 0u));
    if (shell.executed.empty()) return;
    const std::string seen = shell.executed[0].file.c_str();
    FUZZ_CHECK(seen == expected);
    FUZZ_CHECK(shell.executed[0].file == seen);  // nothing after a NUL the shell would not see
    FUZZ_CHECK(shell.executed[0].operation == "Open");
    FUZZ_CHECK(shell.executed[0].parameters.empty() && shell.executed[0].directory.empty());
    FUZZ_CHECK(shell.executed[0].showCommand == platform::kSwShowNormal);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint32_t type = kTypes[data[0] & 3];
    const bool valueAbsent = (data[0] & 4) != 0;
    const bool keyAbsent = (data[0] & 8) != 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    constexpr const launch::Player* kPlayers[] = {&launch::kPowerDVD, &launch::kWinDVD,
                                                  &launch::kVLC, &launch::kVLC};
    const launch::Player& player = *kPlayers[(data[0] >> 4) & 3];

    MemoryRegistry registry;
    if (!keyAbsent) {
        const std::string key = std::string(player.upperKey) + "\\" + player.lowerKey;
        registry.Put(key, valueAbsent ? "Other" : player.valueName, bytes, type);
    }
    CheckPlayer(registry, player);
    if (keyAbsent || valueAbsent) {
        bool installed = true;
        launch::PlayerPath(registry, player, installed);
        FUZZ_CHECK(!installed);
    }
    // Every key the look-ups opened was closed again.
    FUZZ_CHECK(registry.OpenHandles() == 0);
    return 0;
}
