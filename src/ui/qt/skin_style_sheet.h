#pragma once

#include <QString>

#include "window_contract/skin.h"

namespace pv {

// The Qt style sheet that draws the main window with `skin`, to be set on the window
// (object name Form1). Controls are picked by their object names (ListView1, PushButton1 to
// PushButton6, Combo1, Frame1, ProgressBar1), so nothing else is touched. What the skin
// leaves unset keeps the window's own look.
//
// The flags decide how far it reaches:
//   always           the window's surface: background, text colour, font
//   skinControls     the controls above; pressed buttons and the focused control always
//                    show (the focus as a thicker border in the part's focus colour)
//   hoverHighlights  hover backgrounds for buttons, list rows and the printer box
//   skinDialogs      every dialog and message box opened with the window as parent: its
//                    surface, and with skinControls its buttons, drawn like the window's
QString SkinStyleSheet(const Skin& skin);

}  // namespace pv
