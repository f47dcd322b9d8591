#pragma once

#include <string>

#include <windows.h>

#include "platform/win32_support/owned.h"

namespace pv {

// A pointer from a cursor (.cur) or icon (.ico) file; an icon's hot spot is its centre.
// Throws Failure (invalid picture) when the file is not a readable cursor or icon.
win32::OwnedCursor LoadCursorFile(const std::string& path);

// The window under the mouse chooses its pointer again, as if the mouse had moved, when it is
// `window` or one of its children.
void ShowPointerAgain(HWND window);

}  // namespace pv
