#pragma once

#include <windows.h>

#include "ui/layout/main_window_layout.h"

namespace pv {

// Creates the child window of `control` on `parent` at `place` (pixels in the parent), with its
// caption and the control's number in the table as its identifier. Throws Failure when Windows
// cannot make it.
HWND CreateControlWindow(HWND parent, const layout::Control& control, const RECT& place, const wchar_t* windowClass,
                         DWORD style, DWORD extendedStyle = 0);

// The identifier of the table's control at `index`, and back.
int ControlId(int index);
int ControlIndex(int id);

}  // namespace pv
