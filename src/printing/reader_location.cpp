#include "printing/reader_location.h"

#include "platform/folder_walk.h"
#include "platform/path_style.h"

namespace pv {

std::string SpecialFolderPath(Shell& shell, int folderNumber)
{
    return shell.specialFolderPath(folderNumber);
}

std::string FindFileInTree(FileSystem& fileSystem, EventPump& eventPump, const std::string& root,
                           const std::string& fileName)
{
    FolderList folders{root + kPathSeparator};
    CollectSubfolders(fileSystem, eventPump, folders, true);
    for (const std::string& entry : folders) {
        eventPump.processEvents();
        const std::string folder = entry.substr(0, entry.size() - 1);
        for (const std::string& name : ListMatchingFiles(fileSystem, folder, "*.exe")) {
            if (name.front() != '~' && name == fileName)
                return folder + kPathSeparator + name;
        }
    }
    return {};
}

}  // namespace pv
