#pragma once

#include <string>

#include <windows.h>

namespace pv {

// Gives `control` the accessible name `name`: a screen reader asking for the control's client
// object (WM_GETOBJECT, OBJID_CLIENT) gets the system's own object for the control, role,
// state and value included, with this name. A control without a text of its own (the printer
// box, the progress bar) has no name otherwise.
void SetAccessibleName(HWND control, const std::string& name);

}  // namespace pv
