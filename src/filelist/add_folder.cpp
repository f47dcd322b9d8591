#include "filelist/add_folder.h"

#include "base/guard.h"
#include "base/procedure_ids.h"
#include "filelist/admission.h"
#include "platform/folder_walk.h"
#include "platform/path_style.h"

namespace pv {

void AddFolderTree(Services& services, ErrorReports& reports, WindowSurface& window, FileList& files)
{
    Guard guard(procedure_id::kAddFolder, reports);
    std::string extension;
    std::string folder;
    guard.step(100, [&] { extension = "pdf"; });
    guard.step(104, [&] { folder = services.fileDialogs.browseForFolder("Please select folder:"); });
    if (guard.test(106, [&] { return folder.empty(); }))
        return;
    guard.step(112, [&] { window.setPointer(PointerKind::Busy); });

    FolderList folders;
    guard.step(114, [&] { folders = {folder + kPathSeparator}; });
    guard.step(116, [&] { CollectSubfolders(services.fileSystem, services.eventPump, folders, true); });
    // Every folder is listed first, the window answering between folders; the rows follow in
    // one go, so rows that another action appends meanwhile still come before this walk's.
    struct ListedFolder {
        std::string entry;
        std::vector<std::string> names;
    };
    std::vector<ListedFolder> listed;
    for (std::string entry : folders) {
        services.eventPump.processEvents();
        std::vector<std::string> names;
        guard.step(120, [&] { entry.pop_back(); });
        guard.step(122, [&] { names = ListMatchingFiles(services.fileSystem, entry, "*." + extension); });
        listed.push_back({std::move(entry), std::move(names)});
    }
    for (const ListedFolder& folderFiles : listed) {
        for (const std::string& name : folderFiles.names) {
            if (!guard.test(126, [&] { return name.front() != '~'; }))
                continue;
            std::string path;
            guard.step(128, [&] { path = ComposePath(folderFiles.entry, name); });
            if (guard.test(132, [&] {
                    return ReadAttributes(services.fileSystem, path) != kSkippedTreeFileAttributes;
                }))
                guard.step(132, [&] { AppendListEntry(files, NormaliseEntryPath(path)); });
        }
    }
    guard.step(136, [&] { window.setPointer(PointerKind::Default); });
}

}  // namespace pv
