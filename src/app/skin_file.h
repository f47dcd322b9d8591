#pragma once

// The skin file: UTF-8 text, one statement a line.
//
//   # A comment: a line whose first non-blank character is '#' or ';'. Blank lines are
//   # ignored too. Comments take whole lines only, because colours begin with '#'.
//   [button]                  starts a section; the sections are window, button, list,
//                             frame, printer-box and progress
//   background = #F8FAFC      sets a property of the current section
//
// Properties, all optional (what a skin leaves out keeps the window's own look):
//   background, text, border, hover-background, pressed-background,
//   selection (the list's selected rows, the progress bar's chunk, the printer box's
//   highlighted entry), selection-text, focus (the border of the focused control)
//                             colours, "#RGB" or "#RRGGBB"
//   border-width, radius      whole pixels, 0 to 32
//   font-family               a family name, bare or in double quotes, up to 64 bytes,
//                             without any of the characters " \ ; { }
//   font-size                 points, 1 to 72, up to three decimals ("11.25")
//   font-bold                 yes or no (also true/false, on/off, 1/0)
//
// Section and property names are case-insensitive. A property set twice keeps its last
// value. Unknown sections, with all their properties, and unknown properties are skipped,
// so that a skin written for a later version still loads. Anything else that does not
// fit (a property before the first section, a line that is neither a section nor
// "name = value", a malformed value, a control character, text that is not UTF-8) makes
// the whole file fail, naming the line.

#include <string_view>

#include "window_contract/skin.h"

namespace pv {

// Reads a skin file's text. Throws Failure (code kInvalidProcedureCall) whose description
// names the first offending line.
Skin ParseSkin(std::string_view text);

}  // namespace pv
