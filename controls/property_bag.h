#pragma once
// The form design's store of a control's settings: keys with typed values, kept in the order
// they were written. Keys are matched without regard to letter case (the form data stores them
// in lower case). A reader names the default a missing key yields; a writer that names a default
// omits a value equal to it. Values of another type are converted as the form runtime's bag
// converts them: numbers to integers, anything to Boolean.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "controls/paint/picture.h"
#include "controls/paint/text.h"

namespace controls {

using BagValue = std::variant<bool, std::int16_t, std::int32_t, std::string, paint::FontInfo,
                              paint::PicturePtr>;

class PropertyBag {
public:
    void Write(std::string_view key, BagValue value);
    // Omits the value when it equals def (and removes an earlier value under the key).
    void Write(std::string_view key, BagValue value, const BagValue& def);

    const BagValue* Find(std::string_view key) const;
    bool Has(std::string_view key) const { return Find(key) != nullptr; }

    bool ReadBool(std::string_view key, bool def) const;
    std::int16_t ReadInt16(std::string_view key, std::int16_t def) const;
    std::int32_t ReadInt32(std::string_view key, std::int32_t def) const;
    std::string ReadString(std::string_view key, std::string def) const;
    paint::FontInfo ReadFont(std::string_view key, paint::FontInfo def) const;
    paint::PicturePtr ReadPicture(std::string_view key, paint::PicturePtr def) const;

    // The keys in write order, with the case they were written in.
    std::vector<std::string> Keys() const;
    std::size_t Size() const { return entries_.size(); }

private:
    std::vector<std::pair<std::string, BagValue>> entries_;
};

bool KeysEqual(std::string_view a, std::string_view b);

}  // namespace controls
