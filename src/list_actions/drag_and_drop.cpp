#include "list_actions/drag_and_drop.h"

#include "failure/failure.h"
#include "list_actions/admission.h"

namespace pv {

void AddDroppedPaths(FileSystem& fileSystem, EventPump& eventPump, FileList& files,
                     const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        try {
            // A folder the user dropped is walked even when it is hidden: it was chosen
            // explicitly, and its path alone would be no printable file.
            const std::optional<FileStatus> status = fileSystem.status(path);
            if (status && (status->attributes & attr::kDirectory))
                AddTreeFiles(fileSystem, eventPump, files, path, "*.*");
            else
                AppendListEntry(files, path);
        } catch (const Failure&) {
            // Nothing reports failures of a drop; the remaining items are still added.
        }
    }
}

}  // namespace pv
