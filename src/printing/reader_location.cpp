#include "printing/reader_location.h"

#include "platform/portable/folder_walk.h"
#include "services/path_style.h"

namespace pv {

std::string SpecialFolderPath(Shell& shell, int folderNumber)
{
    return shell.specialFolderPath(folderNumber);
}

std::string FindFileInTree(FileSystem& fileSystem, EventPump& eventPump, const std::string& root,
                           const std::string& fileName)
{
    FolderList folders{root + kPathSeparator};
    PlainWalkSteps steps;
    std::string found;
    WalkTreeFiles(fileSystem, eventPump, folders, "*.exe", steps,
                  [&](const std::string& path, const std::string& name) {
                      if (name != fileName)
                          return true;
                      found = path;
                      return false;
                  });
    return found;
}

}  // namespace pv
