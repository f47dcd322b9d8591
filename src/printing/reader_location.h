#pragma once

#include <string>

#include "services/event_pump.h"
#include "services/file_system.h"
#include "services/shell.h"

namespace pv {

// The path of a special folder, or an empty text when the shell cannot supply it.
std::string SpecialFolderPath(Shell& shell, int folderNumber);

// The first file named exactly `fileName` (letter case included) among the programs of the
// tree under `root`, in walk order: the root's own files first, shallower folders before
// deeper ones. An empty text when there is none.
std::string FindFileInTree(FileSystem& fileSystem, EventPump& eventPump, const std::string& root,
                           const std::string& fileName);

}  // namespace pv
