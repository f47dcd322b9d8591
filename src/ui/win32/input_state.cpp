#include "ui/win32/input_state.h"

#include "window_contract/window_events.h"

namespace pv {

int ShiftBitsNow()
{
    const auto held = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    int bits = 0;
    if (held(VK_SHIFT))
        bits |= shift_bits::kShift;
    if (held(VK_CONTROL))
        bits |= shift_bits::kCtrl;
    if (held(VK_MENU))
        bits |= shift_bits::kAlt;
    return bits;
}

int MouseButtonBits(WPARAM keyState)
{
    int bits = 0;
    if (keyState & MK_LBUTTON)
        bits |= mouse_button::kLeft;
    if (keyState & MK_RBUTTON)
        bits |= mouse_button::kRight;
    if (keyState & MK_MBUTTON)
        bits |= mouse_button::kMiddle;
    return bits;
}

int MessageButton(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return mouse_button::kLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return mouse_button::kRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return mouse_button::kMiddle;
    default:
        return 0;
    }
}

}  // namespace pv
