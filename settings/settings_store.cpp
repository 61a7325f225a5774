#include "settings/settings_store.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace settings {
namespace {

using platform::Registry;
using platform::ScopedRegKey;

// Opens upper, then lower below it (RegOpenKeyA twice). On failure `lower` stays empty and
// the calls made with it find nothing, as they would with an unset handle.
void OpenTwoStep(Registry& registry, const char* upperKey, const char* lowerKey,
                 ScopedRegKey& upper, ScopedRegKey& lower, platform::RegKey root = platform::kLocalMachine) {
    registry.OpenKey(root, upperKey, upper.Receive());
    if (upper) registry.OpenKey(upper.Get(), lowerKey, lower.Receive());
}

// The read text of a value below either root in that view; nothing when absent.
std::optional<std::string> ReadText(Registry& registry, platform::RegKey root, platform::RegView view,
                                    const char* upperKey, const char* lowerKey, const char* valueName) {
    ScopedRegKey upper(registry), lower(registry);
    registry.OpenKeyInView(view, root, upperKey, upper.Receive());
    if (upper) registry.OpenKeyInView(view, upper.Get(), lowerKey, lower.Receive());
    if (!lower) return std::nullopt;
    const auto value = registry.QueryValue(lower.Get(), valueName);
    if (!value) return std::nullopt;
    std::string text(kReadBufferSize, ' ');
    // RegQueryValueExA writes the stored bytes into the buffer whatever the type; the readers
    // and the 25-space test of CheckRegistry then judge the text, so a value written by another
    // tool (a path as REG_EXPAND_SZ, a number as REG_DWORD) is read, or kept, rather than
    // taken for absent and overwritten or deleted.
    const auto& bytes = value->bytes;
    // A value longer than the buffer would make RegQueryValueExA fail with ERROR_MORE_DATA
    // and leave the buffer undefined; losing an autostart path that way would delete it at
    // exit, so such a value reads as its first 256 characters instead.
    const std::size_t count = std::min(bytes.size(), kReadBufferSize);
    text.replace(0, count, bytes, 0, count);
    // RegQueryValueExA terminates unterminated string data when the buffer has room; numbers
    // and binary data come as they are.
    const bool isString = value->type == platform::kRegSz || value->type == platform::kRegExpandSz ||
                          value->type == platform::kRegMultiSz;
    if (isString && count < kReadBufferSize) text[count] = '\0';
    return text;
}

// The autostart value written into the machine-wide Run key, which must exist; false when it
// could not be.
bool WriteMachineAutostart(Registry& registry, const std::string& value) {
    ScopedRegKey upper(registry), lower(registry);
    OpenTwoStep(registry, kMicrosoftKey, kRunKey, upper, lower);
    return lower && registry.SetValue(lower.Get(), kAutostartValue, platform::kRegSz, value);
}

// The per-user Run key is the user's own: made when missing.
void WriteUserAutostart(Registry& registry, const std::string& value) {
    ScopedRegKey upper(registry), lower(registry);
    registry.CreateKey(platform::kCurrentUser, kUserMicrosoftKey, upper.Receive());
    if (upper) registry.CreateKey(upper.Get(), kRunKey, lower.Receive());
    if (lower) registry.SetValue(lower.Get(), kAutostartValue, platform::kRegSz, value);
}

void DeleteAutostart(Registry& registry, platform::RegKey root, const char* upperKey) {
    ScopedRegKey upper(registry), lower(registry);
    OpenTwoStep(registry, upperKey, kRunKey, upper, lower, root);
    if (lower) registry.DeleteValue(lower.Get(), kAutostartValue);
}

void WriteText(Registry& registry, const char* upperKey, const char* lowerKey,
               const char* valueName, const std::string& text) {
    ScopedRegKey upper(registry), lower(registry);
    OpenTwoStep(registry, upperKey, lowerKey, upper, lower);
    if (lower) registry.SetValue(lower.Get(), valueName, platform::kRegSz, text);
}

bool StartsWith25Spaces(const std::string& text) {
    return text.compare(0, 25, std::string(25, ' ')) == 0;
}

void EnsureDefault(Registry& registry, const char* valueName, const char* defaultText) {
    if (!StartsWith25Spaces(ReadRegText(registry, kDravikKey, kOptionsKey, valueName))) return;
    {
        ScopedRegKey upper(registry), lower(registry);
        registry.CreateKey(platform::kLocalMachine, kDravikKey, upper.Receive());
        if (upper) registry.CreateKey(upper.Get(), kOptionsKey, lower.Receive());
    }
    WriteText(registry, kDravikKey, kOptionsKey, valueName, defaultText);
}

}  // namespace

std::string ReadRegText(Registry& registry, const char* upperKey, const char* lowerKey,
                        const char* valueName) {
    return ReadStoredRegText(registry, platform::RegView::Own, upperKey, lowerKey, valueName)
        .value_or(std::string(kReadBufferSize, ' '));
}

std::optional<std::string> ReadStoredRegText(Registry& registry, platform::RegView view,
                                             const char* upperKey, const char* lowerKey,
                                             const char* valueName) {
    return ReadText(registry, platform::kLocalMachine, view, upperKey, lowerKey, valueName);
}


void CheckRegistry(Registry& registry) {
    EnsureDefault(registry, kTrayValue, kDefaultTray);
    EnsureDefault(registry, kMovieValue, kDefaultMovie);
}

std::string GetRegValueTray(Registry& registry) {
    return ReadRegText(registry, kDravikKey, kOptionsKey, kTrayValue);
}

bool TrayTextIsOn(const std::string& text) {
    // The number ends at a NUL; blanks around it do not count.
    std::string_view t(text.data(), std::min(text.find('\0'), text.size()));
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    // Decimal notation with optional sign, fraction and exponent ("1", "+1", "1.0", "10e-1").
    // The value is 1 exactly when its significant digits are "1" at scale 0.
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        if (t.front() == '-') return false;  // no negative number is 1
        t.remove_prefix(1);
    }
    std::string digits;
    int scale = 0;
    bool seenPoint = false, seenDigit = false;
    while (!t.empty() && (std::isdigit(static_cast<unsigned char>(t.front())) ||
                          (t.front() == '.' && !seenPoint))) {
        if (t.front() == '.') {
            seenPoint = true;
        } else {
            seenDigit = true;
            digits += t.front();
            if (seenPoint) --scale;
        }
        t.remove_prefix(1);
    }
    if (!seenDigit) return false;
    if (!t.empty() && (t.front() == 'e' || t.front() == 'E')) {
        t.remove_prefix(1);
        bool negative = false;
        if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
            negative = t.front() == '-';
            t.remove_prefix(1);
        }
        if (t.empty()) return false;
        int exponent = 0;
        for (; !t.empty() && std::isdigit(static_cast<unsigned char>(t.front())); t.remove_prefix(1))
            exponent = std::min(exponent * 10 + (t.front() - '0'), 100000);
        scale += negative ? -exponent : exponent;
    }
    if (!t.empty()) return false;
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return false;  // zero
    const auto last = digits.find_last_not_of('0');
    scale += static_cast<int>(digits.size() - 1 - last);
    return last == first && digits[first] == '1' && scale == 0;
}

bool NamesDriveLetterPath(const std::string& text) {
    const std::size_t at = !text.empty() && text[0] == '"' ? 2 : 1;
    return text.compare(at, 2, ":\\") == 0;
}

bool GetRegValueStart(Registry& registry) {
    const std::string blank(kReadBufferSize, ' ');
    return NamesDriveLetterPath(ReadRegText(registry, kMicrosoftKey, kRunKey, kAutostartValue)) ||
           NamesDriveLetterPath(ReadText(registry, platform::kCurrentUser, platform::RegView::Own,
                                         kUserMicrosoftKey, kRunKey, kAutostartValue)
                                    .value_or(blank));
}

std::string GetRegValueBtnMovie(Registry& registry) {
    const std::string text = ReadRegText(registry, kDravikKey, kOptionsKey, kMovieValue);
    const auto s = text.find('s');
    return s == std::string::npos ? std::string() : text.substr(0, s + 1);
}

std::string AutostartPath(platform::System& system) {
    return system.AppPath() + "\\" + system.AppExeName() + ".exe";
}

std::string AutostartValue(platform::System& system) { return "\"" + AutostartPath(system) + "\""; }

void SetRegEnd(Registry& registry, platform::System& system, const EndState& state) {
    WriteText(registry, kDravikKey, kOptionsKey, kTrayValue, state.trayStartValue == 1 ? "1" : "0");
    if (state.sysStartValue == 1) {
        // One of the two, so that Windows never starts the program twice at log-on.
        const std::string value = AutostartValue(system);
        if (WriteMachineAutostart(registry, value))
            DeleteAutostart(registry, platform::kCurrentUser, kUserMicrosoftKey);
        else
            WriteUserAutostart(registry, value);
    } else {
        DeleteAutostart(registry, platform::kLocalMachine, kMicrosoftKey);
        DeleteAutostart(registry, platform::kCurrentUser, kUserMicrosoftKey);
    }
    WriteText(registry, kDravikKey, kOptionsKey, kMovieValue, state.movieCaption);
}

}  // namespace settings
