#pragma once

#include <Qt>

namespace pv {

// The Windows virtual-key code of a Qt key, or 0 for a key without one.
int WindowsKeyCode(int qtKey);

// Shift state bits (1 Shift, 2 Ctrl, 4 Alt) of Qt's keyboard modifiers.
int ShiftBits(Qt::KeyboardModifiers modifiers);

// Button bits (1 left, 2 right, 4 middle) of Qt's mouse buttons.
int MouseButtonBits(Qt::MouseButtons buttons);

}  // namespace pv
