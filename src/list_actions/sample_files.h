#pragma once

#include <string>

#include "base/error_reports.h"
#include "file_list/file_list.h"
#include "services/services.h"

namespace pv {

// "Load Sample/Example Files": appends every file of the "Samples" folder beside the program,
// then offers to open that folder.
void LoadSampleFiles(Services& services, ErrorReports& reports, FileList& files, const std::string& programFolder);

}  // namespace pv
