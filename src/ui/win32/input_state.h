#pragma once

#include <windows.h>

namespace pv {

// The shift bits (shift, ctrl, alt) of the keys held now.
int ShiftBitsNow();
// The mouse button bits of a mouse message's key-state word (MK_LBUTTON and so on).
int MouseButtonBits(WPARAM keyState);
// The one button a button-down or button-up message is about, as a mouse button bit.
int MessageButton(UINT message);

}  // namespace pv
