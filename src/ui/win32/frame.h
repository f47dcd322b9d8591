#pragma once

#include <windows.h>

#include "ui/win32/painting.h"
#include "ui/win32/subclassed_control.h"
#include "ui/win32/window_look.h"

namespace pv {

// Frame1, a group box. Where the skin gives the frame a look, the program draws it: a box in
// the frame's colours, border and corners with its caption inside at the top left, as the
// skinned Qt window does; otherwise the system draws it in the window's colours.
class Frame final : public SubclassedControl {
public:
    Frame(HWND frame, const WindowLook& look);

    std::optional<LRESULT> notified(UINT message, WPARAM w, LPARAM l) override;

private:
    LRESULT onMessage(UINT message, WPARAM w, LPARAM l) override;
    void paint() const;

    ColourBrush brush_;
};

}  // namespace pv
