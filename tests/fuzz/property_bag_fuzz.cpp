// The property bag reader over any design data: keys in any letter case, values of any type
// under any key (the bag converts them), pictures of any size. Both kinds of button load the
// bag, lay out, draw every state and store themselves again; what one button stores, a second
// one loads and stores unchanged.
//
// Input: one entry per line, so that the seeds read like a form's design data:
//   <key>=b:<0|1>          Boolean              <key>=s:<text>      text to the line's end
//   <key>=h:<number>       16-bit integer       <key>=i:<number>    32-bit integer
//   <key>=f:<name>,<size>[,<flags from b i u s>]                    font
//   <key>=p:<w>x<h>,<b|i>,<seed>   picture (bitmap or icon) with a pattern from the seed
//   size=<w>,<h>           the buttons' client size in pixels, below 64 (default 48,24)
//   skin=p:...             the small button's skin picture
// Numbers wrap to the type's width, as a stored number of another width would.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "controls/button/pell_xp_button.h"
#include "controls/button/xpcmdbutton.h"
#include "controls/property_bag.h"
#include "fuzz_check.h"
#include "test_host.h"

namespace {

using controls::BagValue;
using controls::PropertyBag;

long long Number(std::string_view text) {
    return std::strtoll(std::string(text).c_str(), nullptr, 0);
}

// A size below the bound, whatever number the text holds.
int Bounded(std::string_view text, unsigned bound) {
    return static_cast<int>(static_cast<unsigned long long>(Number(text)) % bound);
}

// The part of text before the first comma, and text after it.
std::string_view Field(std::string_view& text) {
    const auto comma = text.find(',');
    const std::string_view field = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    return field;
}

// A picture from its description "WxH,kind,seed" (kind "i" for an icon, else a bitmap; the
// seed fills its pixels); an empty description is no picture.
paint::PicturePtr Picture(std::string_view description) {
    if (description.empty()) return nullptr;
    const std::string_view size = Field(description);
    const auto x = size.find('x');
    const int w = Bounded(size.substr(0, x), 64);
    const int h = x == std::string_view::npos ? w : Bounded(size.substr(x + 1), 64);
    auto picture = std::make_shared<paint::Picture>();
    picture->kind = Field(description) == "i" ? paint::PictureKind::Icon : paint::PictureKind::Bitmap;
    const auto seed = static_cast<std::uint32_t>(Number(Field(description)));
    picture->pixels = paint::PixelBuffer(w, h);
    for (int y = 0; y < h; ++y)
        for (int x0 = 0; x0 < w; ++x0) {
            const std::uint32_t v = (static_cast<std::uint32_t>(x0 * 31 + y * 17) ^ seed) * 2654435761u;
            // Every third pixel in the mask grey, so that masking has something to skip.
            picture->pixels.SetPixel(x0, y, v % 3 == 0 ? 0xC0C0C0 : (v >> 8) & 0xFFFFFF);
        }
    if (picture->kind == paint::PictureKind::Icon && seed % 2 == 1)
        for (int i = 0; i < w * h; ++i) picture->opaque.push_back(static_cast<std::uint8_t>(i % 3 != 0));
    return picture;
}

BagValue Value(char type, std::string_view text) {
    switch (type) {
    case 'b': return text != "0";
    case 'h': return static_cast<std::int16_t>(Number(text));
    case 'i': return static_cast<std::int32_t>(Number(text));
    case 'f': {
        paint::FontInfo font;
        font.name = std::string(Field(text));
        font.size = std::strtod(std::string(Field(text)).c_str(), nullptr);
        for (char c : text) {
            font.bold |= c == 'b';
            font.italic |= c == 'i';
            font.underline |= c == 'u';
            font.strikethrough |= c == 's';
        }
        return font;
    }
    case 'p': return Picture(text);
    default: return std::string(text);
    }
}

bool SameValue(const BagValue& a, const BagValue& b) {
    const auto* fa = std::get_if<paint::FontInfo>(&a);
    const auto* fb = std::get_if<paint::FontInfo>(&b);
    if (fa && fb && std::isnan(fa->size) && std::isnan(fb->size)) {
        paint::FontInfo x = *fa, y = *fb;
        x.size = y.size = 0;
        return x == y;
    }
    return a == b;
}

bool SameBag(const PropertyBag& a, const PropertyBag& b) {
    if (a.Keys() != b.Keys()) return false;
    for (const std::string& key : a.Keys())
        if (!SameValue(*a.Find(key), *b.Find(key))) return false;
    return true;
}

// Lays out and draws up, down, hovered, focused and disabled.
void Exercise(controls::PellXPButton& button, int w, int h) {
    button.Resize(w, h);
    button.Show();
    button.DrawButton(2, true);
    button.SetMouseIsOver(true);
    button.SetHasFocus(true);
    button.DrawButton(0, true);
    button.SetEnabled(!button.Enabled());
    button.FontSize();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    int w = 48, h = 24;
    paint::PicturePtr skin;
    PropertyBag bag;
    while (!input.empty()) {
        const auto eol = input.find('\n');
        std::string_view line = input.substr(0, eol);
        input = eol == std::string_view::npos ? std::string_view() : input.substr(eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, eq);
        std::string_view rest = line.substr(eq + 1);
        if (key == "size") {
            // Small sizes keep a run fast; the drawing code does nothing else at larger ones.
            w = Bounded(Field(rest), 64);
            h = Bounded(Field(rest), 64);
            continue;
        }
        if (rest.size() < 2 || rest[1] != ':') continue;
        if (key == "skin") {
            skin = Picture(rest.substr(2));
            continue;
        }
        bag.Write(key, Value(rest[0], rest.substr(2)));
    }

    // Key lookup ignores the letter case both ways.
    for (const std::string& key : bag.Keys()) {
        std::string other = key;
        for (char& c : other)
            if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') c ^= 0x20;
        FUZZ_CHECK(bag.Find(other) == bag.Find(key));
    }

    testing_support::TestHost host1, host2;
    // ButtonType 11 shows what lies under it.
    if (bag.Has("BTYPE")) {
        host1.parent.emplace(w, h, paint::MakeRgb(10, 200, 30));
        host2.parent.emplace(w, h, paint::MakeRgb(30, 10, 200));
    }
    controls::PellXPButton first(1, "", "Verdana"), second(2, "", "Verdana");
    first.SetHost(&host1);
    second.SetHost(&host2);
    first.ReadProperties(bag);
    Exercise(first, w, h);
    PropertyBag stored;
    first.WriteProperties(stored);

    second.ReadProperties(stored);
    PropertyBag again;
    second.WriteProperties(again);
    FUZZ_CHECK(SameBag(stored, again));

    // The small skinned button: its own keys, and any skin picture.
    controls::xpcmdbutton small(3, "");
    small.SetSkin(skin);
    small.ReadProperties(bag);
    small.Resize(w, h);
    small.Show();
    small.PaintSkin(controls::xpcmdbutton::kCellHover);
    PropertyBag smallStored, smallAgain;
    small.WriteProperties(smallStored);
    controls::xpcmdbutton small2(4, "");
    small2.ReadProperties(smallStored);
    small2.WriteProperties(smallAgain);
    FUZZ_CHECK(SameBag(smallStored, smallAgain));
    return 0;
}
