#pragma once

#include "canvas.h"

namespace pv::assetgen {

// The pointing hand shown over the buttons, 32x32, and where its fingertip is.
Canvas HandCursor();
inline constexpr int kHandHotspotX = 7;
inline constexpr int kHandHotspotY = 0;

// The pointer while rows are dragged, 32x32: a page with an up-and-down arrow.
Canvas DragIcon();

// The application icon, a printer with a stack of pages, at any size.
Canvas ApplicationIcon(int size);

// The arrow of the printer box's drop-down button, 12x12, for the skin's style sheet.
Canvas DropDownArrow();

}  // namespace pv::assetgen
