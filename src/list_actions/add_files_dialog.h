#pragma once

#include "base/error_reports.h"
#include "file_list/file_list.h"
#include "services/dialogs.h"

namespace pv {

// "Add PDF File(s)": the open-file dialog, one file or many at once, appended in the order the
// dialog returns them. `settings` is the dialog control's state, kept between openings.
void AddFilesFromDialog(FileDialogs& dialogs, ErrorReports& reports, OpenFileDialogSettings& settings, FileList& files);

}  // namespace pv
