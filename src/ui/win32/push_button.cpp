#include "ui/win32/push_button.h"

#include "ui/win32/painting.h"

namespace pv {

PushButton::PushButton(HWND button, const WindowLook& look, std::function<void()> mouseMoved,
                       std::function<void()> clicked)
    : SubclassedControl(button, look),
      mouseMoved_(std::move(mouseMoved)),
      clicked_(std::move(clicked))
{}

std::optional<LRESULT> PushButton::notified(UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_DRAWITEM) {
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(w) == BN_CLICKED && clicked_)
        clicked_();
    return std::nullopt;
}

void PushButton::draw(const DRAWITEMSTRUCT& item) const
{
    const PartLook& part = look().button;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool focused = item.itemState & ODS_FOCUS;
    COLORREF face = part.background;
    if (pressed)
        face = part.pressedBackground;
    else if (hover_.over() && look().hoverHighlights)
        face = part.hoverBackground;
    // The focused border is one pixel wider, in the focus colour.
    const int border = look().scaled(part.borderWidth + (focused ? 1 : 0));
    PaintBox(item.hDC, item.rcItem, face, focused ? part.focus : part.border, border, look().scaled(part.radius));
    PaintText(item.hDC, WindowText(handle()), item.rcItem, part.text, reinterpret_cast<HFONT>(send(WM_GETFONT)),
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT PushButton::onMessage(UINT message, WPARAM w, LPARAM l)
{
    if (hover_.changedBy(handle(), message) && look().hoverHighlights)
        InvalidateRect(handle(), nullptr, FALSE);
    switch (message) {
    case WM_MOUSEMOVE:
        if (mouseMoved_)
            mouseMoved_();
        break;
    case WM_GETDLGCODE:
        // Keyboard navigation treats it as the push button it is, not as a drawing; the focused
        // one is the default button, as in a dialog, so that Enter clicks it as Space does.
        return DLGC_BUTTON | (GetFocus() == handle() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE:
        // The dialog keys mark the focused push button as the default and unmark it again by
        // its style; the button stays owner-drawn, and its focus border shows that.
        return passOn(message, (w & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, l);
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button takes a quick second press as a double-click and sends no
        // click for it; a push button presses again.
        return passOn(WM_LBUTTONDOWN, w, l);
    default:
        break;
    }
    return passOn(message, w, l);
}

}  // namespace pv
