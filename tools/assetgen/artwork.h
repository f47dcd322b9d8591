#pragma once

#include "canvas.h"

namespace pv::assetgen {

// The pointing hand shown over the buttons, `size` pixels square (32, the size it points
// with at a scale of 1, or a multiple), and where its fingertip is at 32 pixels.
Canvas HandCursor(int size);
inline constexpr int kHandHotspotX = 7;
inline constexpr int kHandHotspotY = 0;

// The pointer while rows are dragged, `size` pixels square: a page with an up-and-down arrow.
Canvas DragIcon(int size);

// The application icon, a printer with a stack of pages, at any size.
Canvas ApplicationIcon(int size);

// The arrow of the printer box's drop-down button, 12x12, for the skin's style sheet.
Canvas DropDownArrow();

}  // namespace pv::assetgen
