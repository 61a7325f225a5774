#pragma once
// The main window's design data for its skinned buttons: the settings each was stored with on
// the form, which the buttons load through their own ReadProperties.
#include <functional>
#include <string_view>

#include "controls/paint/picture.h"
#include "controls/property_bag.h"

namespace app {

// Finds one of the program's pictures by name ("btn_movie"); nullptr when it has none.
using PictureSource = std::function<paint::PicturePtr(std::string_view name)>;

// The stored settings of the main window's push button with this id; an empty bag for an id
// that is not one of them.
controls::PropertyBag ButtonDesign(int id, const PictureSource& pictures);

// The stored settings of the main window's small skinned button with this id.
controls::PropertyBag CmdButtonDesign(int id);

}  // namespace app
