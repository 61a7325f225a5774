#pragma once
// The escaping of the test tools' records ("<kind>\t<key>=<value>..."): a value never holds a
// tab or a line break. Backslash, tab, CR, LF, other control bytes and bytes above 0x7E are
// written as \\, \t, \r, \n or \xNN (tests/e2e/e2e_support.cpp undoes it).
#include <string>
#include <string_view>

namespace tools {

inline std::string EscapeValue(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c < 0x20 || c > 0x7E) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace tools
