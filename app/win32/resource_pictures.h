#pragma once
// The program's pictures, embedded as their .bmp files (RCDATA resources named after the file).
#include <string_view>

#include "controls/paint/picture.h"

namespace app::win32 {

// The picture in the resource of this name ("btn_movie"); nullptr when there is none.
paint::PicturePtr LoadPictureResource(std::string_view name);

}  // namespace app::win32
