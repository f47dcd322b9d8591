#pragma once

#include <optional>
#include <string>

#include <windows.h>

namespace pv {

// The answer to WM_GETOBJECT (`w`, `l`) that gives `control` the accessible name `name`: a
// screen reader asking for the control's client object (OBJID_CLIENT) gets the system's own
// object for the control, role, state and value included, with this name. A control without a
// text of its own (the printer box, the progress bar) has no name otherwise. Nothing for any
// other object, or when the system's object cannot be made: the control's procedure answers
// then. The control's procedure calls this at its callback boundary.
std::optional<LRESULT> AnswerAccessibleName(HWND control, WPARAM w, LPARAM l, const std::wstring& name);

}  // namespace pv
