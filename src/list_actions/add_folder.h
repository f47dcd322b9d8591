#pragma once

#include "base/error_reports.h"
#include "file_list/file_list.h"
#include "services/services.h"
#include "window_contract/window_controls.h"

namespace pv {

// "Add All PDF File(s) In Folder": asks for a folder and appends every PDF file of its tree,
// in walk order, with the hourglass showing meanwhile.
void AddFolderTree(Services& services, ErrorReports& reports, WindowSurface& window, FileList& files);

}  // namespace pv
