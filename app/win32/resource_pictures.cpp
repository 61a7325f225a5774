#include "app/win32/resource_pictures.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <string>

#include "controls/paint/bmp.h"

namespace app::win32 {

namespace {

// The pictures decoded so far, by resource name in lower case. Every small button of the
// 256-colour appearance shows the same skin, and the about window's frame the main window's
// frame pictures: one decoded copy serves them all (a picture is never changed once decoded).
// Only the window thread loads pictures.
std::map<std::string, std::weak_ptr<const paint::Picture>>& Decoded() {
    static std::map<std::string, std::weak_ptr<const paint::Picture>> decoded;
    return decoded;
}

paint::PicturePtr DecodePictureResource(const std::string& key) {
    HRSRC res = FindResourceA(nullptr, key.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!res) return nullptr;
    HGLOBAL loaded = LoadResource(nullptr, res);  // module resources need no freeing
    const auto* data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return nullptr;
    // The module's resources stay mapped, unchanged, as long as the program runs: 24-bit
    // pictures are drawn from there, pages of the program file that cost no private memory.
    auto picture = paint::ViewBmp(data, SizeofResource(nullptr, res));
    if (!picture) return nullptr;
    return std::make_shared<const paint::Picture>(std::move(*picture));
}

}  // namespace

paint::PicturePtr LoadPictureResource(std::string_view name) {
    // Resource names are stored upper-case; FindResourceA matches without regard to case.
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::weak_ptr<const paint::Picture>& known = Decoded()[key];
    if (paint::PicturePtr held = known.lock()) return held;
    paint::PicturePtr picture = DecodePictureResource(key);
    known = picture;
    return picture;
}

paint::PicturePtr LoadPictureFile(const std::string& file) {
    return LoadPictureResource(std::string_view(file).substr(0, file.rfind(".bmp")));
}

HICON LoadProgramIcon(HINSTANCE instance, int size) {
    auto load = [instance](int n) {
        return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, n, n, 0));
    };
    HICON icon = load(size);
    // The 64 x 64 picture is stored as a PNG, which Windows XP cannot read: there the largest
    // bitmap entry stands in, and the picture's control draws it at its own size.
    if (!icon && size > 48) icon = load(48);
    return icon;
}

}  // namespace app::win32
