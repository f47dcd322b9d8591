#include "ui/win32/subclassed_control.h"

#include <commctrl.h>

#include "ui/win32/subclass_boundary.h"

namespace pv {

SubclassedControl::SubclassedControl(HWND control, const WindowLook& look) : control_(control), look_(look)
{
    SetWindowSubclass(control_, subclassProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

SubclassedControl::~SubclassedControl()
{
    if (control_)
        RemoveWindowSubclass(control_, subclassProcedure, 0);
}

LRESULT CALLBACK SubclassedControl::subclassProcedure(HWND control, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                                      DWORD_PTR self)
{
    auto& owner = *reinterpret_cast<SubclassedControl*>(self);
    if (message == WM_NCDESTROY) {
        // The window's last message: the owner lets go of it here, as it may outlive it.
        RemoveWindowSubclass(control, subclassProcedure, 0);
        owner.control_ = nullptr;
        return DefSubclassProc(control, message, w, l);
    }
    return AtSubclassBoundary(control, message, w, l, [&] { return owner.onMessage(message, w, l); });
}

LRESULT SubclassedControl::onMessage(UINT message, WPARAM w, LPARAM l)
{
    return passOn(message, w, l);
}

LRESULT SubclassedControl::passOn(UINT message, WPARAM w, LPARAM l) const
{
    return DefSubclassProc(control_, message, w, l);
}

LRESULT SubclassedControl::send(UINT message, WPARAM w, LPARAM l) const
{
    return control_ ? SendMessageW(control_, message, w, l) : 0;
}

bool SubclassedControl::post(UINT message, WPARAM w, LPARAM l) const
{
    return control_ && PostMessageW(control_, message, w, l) != FALSE;
}

}  // namespace pv
