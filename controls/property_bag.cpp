#include "controls/property_bag.h"

#include "platform/decimal.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace controls {

bool KeysEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

void PropertyBag::Write(std::string_view key, BagValue value) {
    for (auto& [k, v] : entries_)
        if (KeysEqual(k, key)) {
            v = std::move(value);
            return;
        }
    entries_.emplace_back(std::string(key), std::move(value));
}

void PropertyBag::Write(std::string_view key, BagValue value, const BagValue& def) {
    if (value == def) {
        std::erase_if(entries_, [&](const auto& e) { return KeysEqual(e.first, key); });
        return;
    }
    Write(key, std::move(value));
}

const BagValue* PropertyBag::Find(std::string_view key) const {
    for (const auto& [k, v] : entries_)
        if (KeysEqual(k, key)) return &v;
    return nullptr;
}

std::vector<std::string> PropertyBag::Keys() const {
    std::vector<std::string> keys;
    for (const auto& e : entries_) keys.push_back(e.first);
    return keys;
}

namespace {

// A decimal number ("12", "-3.5"): sign, digits, fraction. Written out here because the
// library's text-to-double conversions bring a large part of the C++ runtime into the program.
std::optional<double> DecimalNumber(std::string_view t) {
    bool negative = false;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    double value = 0, scale = 1;
    bool digits = false, point = false;
    for (char c : t) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) scale /= 10;
            value = value * (point ? 1 : 10) + (c - '0') * (point ? scale : 1);
        } else {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    return negative ? -value : value;
}

// A number held in any of the value types, if it has one.
std::optional<double> AsNumber(const BagValue& v) {
    if (const bool* b = std::get_if<bool>(&v)) return *b ? -1.0 : 0.0;  // True is -1
    if (const auto* i = std::get_if<std::int16_t>(&v)) return *i;
    if (const auto* i = std::get_if<std::int32_t>(&v)) return *i;
    if (const auto* s = std::get_if<std::string>(&v)) {
        std::string t;
        for (char c : *s) t += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (t == "true") return -1.0;
        if (t == "false") return 0.0;
        return DecimalNumber(t);
    }
    return std::nullopt;
}

template <typename Int>
Int ToInt(const BagValue* v, Int def) {
    if (!v) return def;
    const auto n = AsNumber(*v);
    if (!n) return def;
    const double r = std::nearbyint(*n);  // halves to even, as the runtime rounds
    if (r < std::numeric_limits<Int>::min() || r > std::numeric_limits<Int>::max()) return def;
    return static_cast<Int>(r);
}

}  // namespace

bool PropertyBag::ReadBool(std::string_view key, bool def) const {
    const BagValue* v = Find(key);
    if (!v) return def;
    if (const auto n = AsNumber(*v)) return *n != 0;
    return def;
}

std::int16_t PropertyBag::ReadInt16(std::string_view key, std::int16_t def) const {
    return ToInt<std::int16_t>(Find(key), def);
}

std::int32_t PropertyBag::ReadInt32(std::string_view key, std::int32_t def) const {
    return ToInt<std::int32_t>(Find(key), def);
}

std::string PropertyBag::ReadString(std::string_view key, std::string def) const {
    const BagValue* v = Find(key);
    if (!v) return def;
    if (const auto* s = std::get_if<std::string>(v)) return *s;
    if (const bool* b = std::get_if<bool>(v)) return *b ? "True" : "False";
    if (const auto* i = std::get_if<std::int16_t>(v)) return platform::Decimal(*i);
    if (const auto* i = std::get_if<std::int32_t>(v)) return platform::Decimal(*i);
    return def;
}

paint::FontInfo PropertyBag::ReadFont(std::string_view key, paint::FontInfo def) const {
    const BagValue* v = Find(key);
    if (const auto* f = v ? std::get_if<paint::FontInfo>(v) : nullptr) return *f;
    return def;
}

paint::PicturePtr PropertyBag::ReadPicture(std::string_view key, paint::PicturePtr def) const {
    const BagValue* v = Find(key);
    if (const auto* p = v ? std::get_if<paint::PicturePtr>(v) : nullptr) return *p;
    return def;
}

}  // namespace controls
