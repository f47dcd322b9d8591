#pragma once

#include <functional>

#include <windows.h>

#include "ui/win32/hover_state.h"
#include "ui/win32/subclassed_control.h"
#include "ui/win32/window_look.h"

namespace pv {

// One push button, a standard button that the program draws itself (BS_OWNERDRAW) so that it
// takes the window's look: its face, text, border and corners, the hover colour while the
// mouse is over it, the pressed colour while it is held and the focus border. Moves of the
// mouse over it are handed to `mouseMoved`, its clicks to `clicked`.
class PushButton final : public SubclassedControl {
public:
    PushButton(HWND button, const WindowLook& look, std::function<void()> mouseMoved, std::function<void()> clicked);

    std::optional<LRESULT> notified(UINT message, WPARAM w, LPARAM l) override;

private:
    LRESULT onMessage(UINT message, WPARAM w, LPARAM l) override;
    void draw(const DRAWITEMSTRUCT& item) const;

    std::function<void()> mouseMoved_;
    std::function<void()> clicked_;
    HoverState hover_;
};

}  // namespace pv
