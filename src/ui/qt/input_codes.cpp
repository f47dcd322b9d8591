#include "ui/qt/input_codes.h"

#include "window_contract/window_events.h"

namespace pv {

int WindowsKeyCode(int qtKey)
{
    // Letters and digits share their codes with ASCII upper case.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
        return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return kKeyDelete;
    default:
        return 0;
    }
}

int ShiftBits(Qt::KeyboardModifiers modifiers)
{
    int bits = 0;
    if (modifiers & Qt::ShiftModifier)
        bits |= shift_bits::kShift;
    if (modifiers & Qt::ControlModifier)
        bits |= shift_bits::kCtrl;
    if (modifiers & Qt::AltModifier)
        bits |= shift_bits::kAlt;
    return bits;
}

int MouseButtonBits(Qt::MouseButtons buttons)
{
    int bits = 0;
    if (buttons & Qt::LeftButton)
        bits |= mouse_button::kLeft;
    if (buttons & Qt::RightButton)
        bits |= mouse_button::kRight;
    if (buttons & Qt::MiddleButton)
        bits |= mouse_button::kMiddle;
    return bits;
}

}  // namespace pv
