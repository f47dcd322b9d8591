#pragma once

#include <functional>

#include <windows.h>

#include "ui/win32/hover_state.h"
#include "ui/win32/window_look.h"

namespace pv {

// One push button, a standard button that the program draws itself (BS_OWNERDRAW) so that it
// takes the window's look: its face, text, border and corners, the hover colour while the
// mouse is over it, the pressed colour while it is held and the focus border. Moves of the
// mouse over it are handed to `mouseMoved`.
class PushButton {
public:
    PushButton(HWND button, const WindowLook& look, std::function<void()> mouseMoved);
    ~PushButton();
    PushButton(const PushButton&) = delete;
    PushButton& operator=(const PushButton&) = delete;

    HWND handle() const { return button_; }
    // Draws the button, as its owner is asked to in WM_DRAWITEM.
    void draw(const DRAWITEMSTRUCT& item) const;

private:
    static LRESULT CALLBACK subclassProcedure(HWND button, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    HWND button_;
    const WindowLook& look_;
    std::function<void()> mouseMoved_;
    HoverState hover_;
};

}  // namespace pv
