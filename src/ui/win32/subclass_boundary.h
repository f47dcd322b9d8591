#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "platform/win32_support/callback_boundary.h"

namespace pv {

// Runs the body of a control's subclass procedure at the callback boundary; when it fails, the
// control's own procedure answers the message.
template <typename Body>
LRESULT AtSubclassBoundary(HWND control, UINT message, WPARAM w, LPARAM l, Body&& body) noexcept
{
    return win32::AtCallbackBoundary(std::forward<Body>(body), [&] { return DefSubclassProc(control, message, w, l); });
}

}  // namespace pv
