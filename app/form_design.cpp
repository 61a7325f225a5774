#include "app/form_design.h"

#include "app/control_ids.h"
#include "controls/form/button_design.h"

namespace app {
namespace {

struct Design {
    int id;
    const char* caption;
    const char* font;
    int colorScheme;
    const char* picture;  // shown above the caption; nullptr for none
};

// All of the main window's push buttons share the XP look (ButtonType 3) with white faces,
// black captions that turn blue under the mouse, and grey 192 as the pictures' mask colour.
constexpr Design kDesigns[] = {
    {ids::kBtnTray, "Tray it!", "Verdana", 2, "btn_tray"},
    {ids::kBtnSettings, "Monitor Settings", "Verdana", 2, "btn_settings"},
    {ids::kBtnMon, "Not set", "MS Sans Serif", 2, "btn_monitor"},
    {ids::kBtnMovie, "Not set", "MS Sans Serif", 2, "btn_movie"},
    {ids::kCmdIconRest, "Restore Desktop Icons", "Verdana", 1, nullptr},
    {ids::kCmdIconSave, "Save Desktop Icons", "Verdana", 1, nullptr},
};

}  // namespace

controls::PropertyBag ButtonDesign(int id, const PictureSource& pictures) {
    for (const Design& d : kDesigns) {
        if (d.id != id) continue;
        paint::PicturePtr picture = d.picture && pictures ? pictures(d.picture) : nullptr;
        return controls::XPButtonBag(d.caption, d.font, d.colorScheme, d.picture != nullptr,
                                     std::move(picture));
    }
    return {};
}

controls::PropertyBag CmdButtonDesign(int id) {
    // The small twins of the 256-colour look: the same captions as their big buttons, none
    // for the two preset buttons, whose captions start-up sets.
    const char* caption = id == ids::kCmdTray       ? "Tray it!"
                          : id == ids::kCmdSettings ? "Monitor Settings"
                                                    : "";
    controls::PropertyBag bag;
    bag.Write("Caption", std::string(caption));
    bag.Write("Font", paint::FontInfo{});
    return bag;
}

}  // namespace app
