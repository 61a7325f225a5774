#include "launch/html.h"


#include "launch/deployment.h"
#include "settings/settings_store.h"

namespace launch {

std::string PlayerPath(platform::Registry& registry32, const Player& player, bool& installed) {
    installed = false;
    // A player's own 64-bit installer (VLC's download for 64-bit Windows) writes its key to the
    // 64-bit view, which a 32-bit program reads only when it asks for that view by name.
    auto stored = settings::ReadStoredRegText(registry32, platform::RegView::Own, player.upperKey,
                                              player.lowerKey, player.valueName);
    if (!stored)
        stored = settings::ReadStoredRegText(registry32, platform::RegView::Bits64,
                                             player.upperKey, player.lowerKey, player.valueName);
    const std::string text = stored.value_or(std::string(settings::kReadBufferSize, ' '));
    const std::string word = player.lowerKey;
    const std::size_t keep = word.size() - 1;  // characters past the word's first letter
    const auto at = text.find(word);
    // 1-based position p of the word (0 when absent); the result is the first p + keep
    // characters.
    const std::size_t p = at == std::string::npos ? 0 : at + 1;
    std::string path = text.substr(0, p + keep);
    installed = path != std::string(keep, ' ');
    return path;
}

void ShellOpen(platform::Shell& shell, const std::string& operation, const std::string& target,
               const std::string& parameters, const std::string& directory, int showCommand) {
    shell.Execute(operation, target, parameters, directory, showCommand);
}

bool IsAbsolutePath(const std::string& path) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 3 && letter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
    // "\\server\share": a server name and a share name, neither of them empty.
    if (path.rfind("\\\\", 0) != 0) return false;
    const std::size_t serverEnd = path.find('\\', 2);
    if (serverEnd == std::string::npos || serverEnd == 2) return false;
    return serverEnd + 1 < path.size() && path[serverEnd + 1] != '\\';
}

void StartPlayer(platform::Shell& shell, const std::string& folder, const Player& player) {
    // ShellExecuteA reads the text up to its first NUL, and a name that is not absolute is
    // looked for in the current folder and on the search path: a stored "calc" would start
    // calc.exe. Only a full path to the player's own program is handed over.
    const std::string path = folder.substr(0, folder.find('\0')) + player.programFile;
    if (!IsAbsolutePath(path)) return;
    ShellOpen(shell, "Open", path, "", "", platform::kSwShowNormal);
}

std::string PercentEncode(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '~';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string HomePageAddress(const std::string& host) { return "http://" + host + "/default.asp"; }

std::string DonationAddress(const std::string& host, const std::string& payee) {
    return "https://" + host + "/cgi-bin/webscr?cmd=_xclick&business=" + PercentEncode(payee) +
           "&item_name=Morv%20Zezodidode&no_shipping=2&no_note=1&tax=0&currency_code=EUR"
           "&bn=PP%2dDonationsBF&charset=UTF%2d8";
}

void OpenHomePage(platform::Shell& shell) {
    ShellOpen(shell, "Open", HomePageAddress(deployment::kHomeHost), "", "",
              platform::kSwShowMaximized);
}

void OpenDonationPage(platform::Shell& shell) {
    ShellOpen(shell, "Open", DonationAddress(deployment::kPaymentHost, deployment::kPayee), "",
              "", platform::kSwShowMaximized);
}

}  // namespace launch
