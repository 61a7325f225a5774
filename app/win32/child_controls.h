#pragma once
// What the main and the about window do alike with their child controls: the names the
// controls have on their forms, and opaque group boxes.
#include <windows.h>

#include <string>

#include "controls/control_model.h"

namespace app::win32 {

// The control's name on its form (main or about window), which a new skinned button takes as
// its caption; "Control" for an id no form gives a name to.
std::string ControlName(int id);

// The group box paints its inside in the brush its parent gives it for WM_CTLCOLORSTATIC (the
// box's back colour). A standard group box lets its parent show through, and the skinned frame
// beneath is a sibling that does not paint there. Subclassed until the box is destroyed.
void MakeGroupBoxOpaque(HWND box);

// Window updates that touch the window only when its state differs. Under Wine every change
// of a window's text, style or visibility is a round trip to the server, and a form sets the
// same caption or visibility several times while it loads.
void SetTextIfChanged(HWND hwnd, const std::string& text);
void SetVisibleIfChanged(HWND hwnd, bool visible);  // SW_SHOWNA or SW_HIDE
void SetTabStopIfChanged(HWND hwnd, bool tabStop);
// Invalidates the window when it can be seen; a hidden one is painted whole when shown.
void RedrawIfShown(HWND hwnd);

// The changes of a model that every form's child window takes alike: caption, enabled state,
// visibility, tab stop, colours and redraws. False for a change this does not mirror.
bool MirrorCommonChange(HWND child, const controls::ControlModel& model, controls::Change change);

}  // namespace app::win32
