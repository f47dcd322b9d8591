#pragma once

#include <string>

#include "app/skin_framework.h"
#include "services/file_system.h"
#include "window_contract/window_controls.h"

namespace pv {

// Gives the main window its skin when the skin file "x/o.cjs" stands in the program folder:
// button-face backgrounds for the window and its frames and labels, then the skin engine's
// calls in their fixed order. Without the file nothing changes. Failures go to the caller.
void ApplyAppearance(FileSystem& fileSystem, WindowSurface& window, SkinFramework& skin,
                     const std::string& programFolder);

// Places `window` in the middle of the whole screen (a larger window goes partly off it).
void CentreWindow(WindowSurface& window);

// True when the platform can tell the file's status; never fails.
bool FileExists(FileSystem& fileSystem, const std::string& path);

}  // namespace pv
