#pragma once
// What the main and the about window do alike with their child controls: the names the
// controls have on their forms, and opaque group boxes.
#include <windows.h>

#include <string>

namespace app::win32 {

// The control's name on its form (main or about window), which a new skinned button takes as
// its caption; "Control" for an id no form gives a name to.
std::string ControlName(int id);

// The group box paints its inside in the brush its parent gives it for WM_CTLCOLORSTATIC (the
// box's back colour). A standard group box lets its parent show through, and the skinned frame
// beneath is a sibling that does not paint there. Subclassed until the box is destroyed.
void MakeGroupBoxOpaque(HWND box);

}  // namespace app::win32
