#include "ui/win32/push_button.h"

#include <commctrl.h>

#include "ui/win32/painting.h"
#include "ui/win32/subclass_boundary.h"

namespace pv {

PushButton::PushButton(HWND button, const WindowLook& look, std::function<void()> mouseMoved)
    : button_(button), look_(look), mouseMoved_(std::move(mouseMoved))
{
    SetWindowSubclass(button_, subclassProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

PushButton::~PushButton()
{
    RemoveWindowSubclass(button_, subclassProcedure, 0);
}

void PushButton::draw(const DRAWITEMSTRUCT& item) const
{
    const PartLook& part = look_.button;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool focused = item.itemState & ODS_FOCUS;
    COLORREF face = part.background;
    if (pressed)
        face = part.pressedBackground;
    else if (hover_.over() && look_.hoverHighlights)
        face = part.hoverBackground;
    // The focused border is one pixel wider, in the focus colour.
    const int border = look_.scaled(part.borderWidth + (focused ? 1 : 0));
    PaintBox(item.hDC, item.rcItem, face, focused ? part.focus : part.border, border, look_.scaled(part.radius));
    PaintText(item.hDC, WindowText(button_), item.rcItem, part.text,
              reinterpret_cast<HFONT>(SendMessageW(button_, WM_GETFONT, 0, 0)), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK PushButton::subclassProcedure(HWND button, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                               DWORD_PTR self)
{
    return AtSubclassBoundary(button, message, w, l,
                              [&] { return reinterpret_cast<PushButton*>(self)->handle(message, w, l); });
}

LRESULT PushButton::handle(UINT message, WPARAM w, LPARAM l)
{
    if (hover_.changedBy(button_, message) && look_.hoverHighlights)
        InvalidateRect(button_, nullptr, FALSE);
    switch (message) {
    case WM_MOUSEMOVE:
        if (mouseMoved_)
            mouseMoved_();
        break;
    case WM_GETDLGCODE:
        // Keyboard navigation treats it as the push button it is, not as a drawing; the focused
        // one is the default button, as in a dialog, so that Enter clicks it as Space does.
        return DLGC_BUTTON | (GetFocus() == button_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE:
        // The dialog keys mark the focused push button as the default and unmark it again by
        // its style; the button stays owner-drawn, and its focus border shows that.
        return DefSubclassProc(button_, message, (w & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, l);
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button takes a quick second press as a double-click and sends no
        // click for it; a push button presses again.
        return DefSubclassProc(button_, WM_LBUTTONDOWN, w, l);
    default:
        break;
    }
    return DefSubclassProc(button_, message, w, l);
}

}  // namespace pv
