#include "ui/win32/progress_bar.h"

#include <algorithm>
#include <cmath>

#include <commctrl.h>

#include "ui/win32/painting.h"
#include "ui/win32/subclass_boundary.h"

namespace pv {

ProgressBar::ProgressBar(HWND bar, const WindowLook& look) : bar_(bar), look_(look)
{
    SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
    SendMessageW(bar_, PBM_SETPOS, 0, 0);
    SetWindowSubclass(bar_, subclassProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

ProgressBar::~ProgressBar()
{
    RemoveWindowSubclass(bar_, subclassProcedure, 0);
}

void ProgressBar::setValue(double value)
{
    // The bar takes whole numbers; a share of the list is shown to the nearest step.
    const double onScale = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 100.0);
    SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(std::lround(onScale)), 0);
}

LRESULT CALLBACK ProgressBar::subclassProcedure(HWND bar, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return AtSubclassBoundary(bar, message, w, l, [&] {
            reinterpret_cast<ProgressBar*>(self)->paint();
            return LRESULT{0};
        });
    default:
        return DefSubclassProc(bar, message, w, l);
    }
}

void ProgressBar::paint() const
{
    const PaintScope painting(bar_);
    HDC context = painting.context();
    const PartLook& part = look_.progress;
    RECT box{};
    GetClientRect(bar_, &box);
    const int border = look_.scaled(part.borderWidth);
    const int radius = look_.scaled(part.radius);
    PaintBox(context, box, part.background, part.border, border, radius);
    RECT filled = box;
    InflateRect(&filled, -border, -border);
    const auto position = static_cast<int>(SendMessageW(bar_, PBM_GETPOS, 0, 0));
    filled.right = filled.left + MulDiv(filled.right - filled.left, position, 100);
    PaintBox(context, filled, part.selection, part.selection, 0, std::max(0, radius - border));
}

}  // namespace pv
