#pragma once
// The program's pictures, embedded as their .bmp files (RCDATA resources named after the file).
#include <windows.h>

#include <string>
#include <string_view>

#include "controls/paint/picture.h"

namespace app::win32 {

// The picture in the resource of this name ("btn_movie"); nullptr when there is none. While
// any control holds a picture, asking for the same name again gives that same picture.
paint::PicturePtr LoadPictureResource(std::string_view name);
// The picture of a file the controls name ("frame_top.bmp"): the resource named after it
// without its ".bmp".
paint::PicturePtr LoadPictureFile(const std::string& file);

// The program's icon (resource 1) at size x size pixels, which the caller destroys; nullptr
// when it cannot be loaded. The file holds a picture drawn at each size the scales ask for.
HICON LoadProgramIcon(HINSTANCE instance, int size);

}  // namespace app::win32
