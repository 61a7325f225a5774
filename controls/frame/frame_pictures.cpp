#include "controls/frame/frame_pictures.h"

#include "controls/paint/bmp.h"

namespace controls {

PictureLoader FolderPictureLoader(std::string folder) {
    return [folder = std::move(folder)](const std::string& name) {
        return paint::LoadBmpFile(folder + "/" + name);
    };
}

std::vector<std::string> FramePictureFiles(FrameSkin skin, bool captionButtons) {
    const std::string frame = skin == FrameSkin::FullColour ? "frame_" : "frame256_";
    std::vector<std::string> names;
    for (const char* piece : {"title_left", "title", "title_right", "left", "right", "bottom",
                              "bottom_left", "bottom_right"})
        names.push_back(frame + piece + ".bmp");
    if (captionButtons) {
        const std::string tag = skin == FrameSkin::FullColour ? "" : "256";
        // The close button shows its normal state's picture until the mouse comes.
        names.push_back("close" + tag + "_normal.bmp");
        names.push_back("maximize" + tag + ".bmp");
        names.push_back("minimize" + tag + ".bmp");
        for (const char* state : {"_normal", "_hot", "_pressed"})
            names.push_back("close" + tag + state + ".bmp");
    }
    return names;
}

FramePictures LoadFramePictures(FrameSkin skin, bool captionButtons, const PictureLoader& load) {
    const auto names = FramePictureFiles(skin, captionButtons);
    FramePictures p;
    paint::PicturePtr* slots[] = {&p.titleLeft,    &p.title,          &p.titleRight,
                                  &p.left,         &p.right,          &p.bottom,
                                  &p.bottomLeft,   &p.bottomRight,    &p.closeButton,
                                  &p.maximizeButton, &p.minimizeButton, &p.closeStates[0],
                                  &p.closeStates[1], &p.closeStates[2]};
    for (std::size_t i = 0; i < names.size(); ++i) *slots[i] = load(names[i]);
    return p;
}

}  // namespace controls
