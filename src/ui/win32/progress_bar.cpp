#include "ui/win32/progress_bar.h"

#include <algorithm>
#include <cmath>

#include <commctrl.h>

namespace pv {

ProgressBar::ProgressBar(HWND bar) : bar_(bar)
{
    SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
    SendMessageW(bar_, PBM_SETPOS, 0, 0);
}

void ProgressBar::setValue(double value)
{
    // The bar takes whole numbers; a share of the list is shown to the nearest step.
    const double onScale = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 100.0);
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(std::lround(onScale)), 0);
}

}  // namespace pv
