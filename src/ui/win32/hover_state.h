#pragma once

#include <windows.h>

namespace pv {

// Whether the mouse is over a window, followed from the window's own mouse messages: a move
// puts it over (and asks Windows to tell when it leaves), WM_MOUSELEAVE takes it off.
class HoverState {
public:
    // Takes one of the window's messages; whether it changed the state.
    bool changedBy(HWND window, UINT message);
    bool over() const { return over_; }

private:
    bool over_ = false;
};

}  // namespace pv
