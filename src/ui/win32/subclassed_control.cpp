#include "ui/win32/subclassed_control.h"

#include "platform/win32_support/callback_boundary.h"
#include "platform/win32_support/wide_text.h"
#include "ui/win32/accessible_name.h"

namespace pv {

SubclassedControl::SubclassedControl(HWND control, const WindowLook& look) : control_(control), look_(look)
{
    SetWindowLongPtrW(control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    own_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProcedure)));
}

SubclassedControl::~SubclassedControl()
{
    if (!control_)
        return;
    // The control's own procedure comes back unless another subclass has been put over this one
    // since: then this procedure stays in the chain and, without its owner, hands every message
    // to the control's class procedure, the control's own.
    SetWindowLongPtrW(control_, GWLP_USERDATA, 0);
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control_, GWLP_WNDPROC)) == subclassProcedure)
        SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own_));
}

void SubclassedControl::setAccessibleName(const std::string& name)
{
    accessibleName_ = win32::Wide(name);
}

LRESULT CALLBACK SubclassedControl::subclassProcedure(HWND control, UINT message, WPARAM w, LPARAM l)
{
    auto* owner = reinterpret_cast<SubclassedControl*>(GetWindowLongPtrW(control, GWLP_USERDATA));
    if (!owner)
        return CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(control, GCLP_WNDPROC)), control, message, w,
                               l);
    if (message == WM_NCDESTROY) {
        // The window's last message: the owner lets go of it here, as it may outlive it.
        const WNDPROC own = owner->own_;
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC)) == subclassProcedure)
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        owner->control_ = nullptr;
        return CallWindowProcW(own, control, message, w, l);
    }
    return owner->dispatch(message, w, l);
}

LRESULT SubclassedControl::dispatch(UINT message, WPARAM w, LPARAM l)
{
    // A failure lets the control's own procedure answer the message.
    const auto handled = [&] {
        return win32::AtCallbackBoundary([&] { return onMessage(message, w, l); },
                                         [&] { return passOn(message, w, l); });
    };
    if (message == WM_GETOBJECT && accessibleName_) {
        return win32::AtCallbackBoundary(
            [&] {
                const std::optional<LRESULT> named = AnswerAccessibleName(control_, w, l, *accessibleName_);
                return named ? *named : handled();
            },
            handled);
    }
    return handled();
}

std::optional<LRESULT> SubclassedControl::notified(UINT, WPARAM, LPARAM)
{
    return std::nullopt;
}

LRESULT SubclassedControl::onMessage(UINT message, WPARAM w, LPARAM l)
{
    return passOn(message, w, l);
}

LRESULT SubclassedControl::passOn(UINT message, WPARAM w, LPARAM l) const
{
    return CallWindowProcW(own_, control_, message, w, l);
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
