#include "app/win32/resource_pictures.h"

#include <windows.h>

#include <memory>
#include <string>

#include "controls/paint/bmp.h"

namespace app::win32 {

paint::PicturePtr LoadPictureResource(std::string_view name) {
    // Resource names are stored upper-case; FindResourceA matches without regard to case.
    const std::string key(name);
    HRSRC res = FindResourceA(nullptr, key.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!res) return nullptr;
    HGLOBAL loaded = LoadResource(nullptr, res);  // module resources need no freeing
    const auto* data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return nullptr;
    auto picture = paint::ReadBmp(data, SizeofResource(nullptr, res));
    if (!picture) return nullptr;
    return std::make_shared<const paint::Picture>(std::move(*picture));
}

paint::PicturePtr LoadPictureFile(const std::string& file) {
    return LoadPictureResource(std::string_view(file).substr(0, file.rfind(".bmp")));
}

}  // namespace app::win32
