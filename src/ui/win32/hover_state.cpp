#include "ui/win32/hover_state.h"

namespace pv {

bool HoverState::changedBy(HWND window, UINT message)
{
    bool over = over_;
    if (message == WM_MOUSEMOVE)
        over = true;
    else if (message == WM_MOUSELEAVE)
        over = false;
    if (over == over_)
        return false;
    over_ = over;
    if (over) {
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, window, 0};
        TrackMouseEvent(&leave);
    }
    return true;
}

}  // namespace pv
