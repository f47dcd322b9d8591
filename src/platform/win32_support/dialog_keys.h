#pragma once

#include <windows.h>

namespace pv::win32 {

// Hands one message to its window, after offering it to the top-level window it belongs to
// as a dialog box's loop does: Tab, the arrow keys, Enter and Escape then move between and
// work the controls from the keyboard. Every message loop of the window's thread uses it, the
// print run's nested one included, so the keyboard works the same while a run goes on. An
// exception kept at a callback boundary while the message was handled is raised here.
void DispatchWithDialogKeys(MSG& message);

}  // namespace pv::win32
