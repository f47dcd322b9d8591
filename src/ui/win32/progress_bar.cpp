#include "ui/win32/progress_bar.h"

#include <algorithm>
#include <cmath>

#include <commctrl.h>

#include "ui/win32/painting.h"

namespace pv {

ProgressBar::ProgressBar(HWND bar, const WindowLook& look) : SubclassedControl(bar, look)
{
    send(PBM_SETRANGE32, 0, 100);
    send(PBM_SETPOS, 0, 0);
}

void ProgressBar::setValue(double value)
{
    // The bar takes whole numbers; a share of the list is shown to the nearest step.
    const double onScale = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 100.0);
    send(PBM_SETPOS, static_cast<WPARAM>(std::lround(onScale)));
}

LRESULT ProgressBar::onMessage(UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint();
        return 0;
    default:
        return passOn(message, w, l);
    }
}

void ProgressBar::paint() const
{
    const PaintScope painting(handle());
    HDC context = painting.context();
    const PartLook& part = look().progress;
    RECT box{};
    GetClientRect(handle(), &box);
    const int border = look().scaled(part.borderWidth);
    const int radius = look().scaled(part.radius);
    PaintBox(context, box, part.background, part.border, border, radius);
    RECT filled = box;
    InflateRect(&filled, -border, -border);
    const auto position = static_cast<int>(send(PBM_GETPOS));
    filled.right = filled.left + MulDiv(filled.right - filled.left, position, 100);
    PaintBox(context, filled, part.selection, part.selection, 0, std::max(0, radius - border));
}

}  // namespace pv
