#pragma once

#include <functional>

#include <windows.h>

#include "ui/win32/hover_state.h"
#include "ui/win32/subclassed_control.h"
#include "ui/win32/window_look.h"

namespace pv {

// One push button, a standard button that the program draws itself (BS_OWNERDRAW) so that it
// takes the window's look: its face, text, border and corners, the hover colour while the
// mouse is over it, the pressed colour while it is held and the focus border. Moves of the
// mouse over it are handed to `mouseMoved`.
class PushButton final : public SubclassedControl {
public:
    PushButton(HWND button, const WindowLook& look, std::function<void()> mouseMoved);
    // Draws the button, as its owner is asked to in WM_DRAWITEM.
    void draw(const DRAWITEMSTRUCT& item) const;

private:
    LRESULT onMessage(UINT message, WPARAM w, LPARAM l) override;

    std::function<void()> mouseMoved_;
    HoverState hover_;
};

}  // namespace pv
