#pragma once

#include <QString>

#include "window_contract/skin_look.h"

namespace pv {

// The Qt style sheet that draws the main window in the skin's `look`, to be set on the window
// (object name Form1). Controls are picked by their object names (ListView1, PushButton1 to
// PushButton6, Combo1, Frame1, ProgressBar1), so nothing else is touched; what the look leaves
// out or unset keeps the window's own look. Pressed buttons and the focused control always
// show, the focus as a thicker border in the part's focus colour. The dialogs and message
// boxes opened with the window as parent take their part of the sheet from it.
QString SkinStyleSheet(const SkinLook& look);

}  // namespace pv
