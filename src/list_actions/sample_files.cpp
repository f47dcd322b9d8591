#include "list_actions/sample_files.h"

#include <vector>

#include "base/guard.h"
#include "base/procedure_ids.h"
#include "list_actions/admission.h"
#include "platform/portable/folder_walk.h"
#include "services/path_style.h"

namespace pv {
namespace {

constexpr const char* kOpenFolderQuestion =
    "Would you like this software to open the folder where these sample files are stored (so that you can view "
    "them before working with them)?";

}  // namespace

void LoadSampleFiles(Services& services, ErrorReports& reports, FileList& files, const std::string& programFolder)
{
    Guard guard(procedure_id::kSampleFiles, reports);
    const std::string sampleFolder = ComposePath(programFolder, "Samples");
    std::vector<std::string> names;
    guard.step(100, [&] { names = ListMatchingFiles(services.fileSystem, sampleFolder, "*.*"); });
    for (const std::string& name : names)
        guard.step(104, [&] { AppendListEntry(files, ComposePath(sampleFolder, name)); });

    BoxAnswer answer = BoxAnswer::Yes;
    guard.step(106, [&] {
        answer = services.messageBoxes.show(kOpenFolderQuestion, kApplicationTitle, BoxButtons::YesNo, BoxIcon::None);
    });
    if (answer != BoxAnswer::Yes)
        return;
    guard.step(108, [&] { services.shell.openFolder(sampleFolder + kPathSeparator); });
}

}  // namespace pv
