#pragma once

#include <string>
#include <vector>

#include "file_list/file_list.h"
#include "services/event_pump.h"
#include "services/file_system.h"

namespace pv {

// Appends what was dropped, item by item in the drag's order: a file as it is, a folder as
// every file of its tree (pattern "*.*", admission rules and normalisation applied). A
// failure while walking a dropped folder keeps what it added and goes on with the next item.
void AddDroppedPaths(FileSystem& fileSystem, EventPump& eventPump, FileList& files,
                     const std::vector<std::string>& paths);

}  // namespace pv
