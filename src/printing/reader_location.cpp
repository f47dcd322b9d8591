#include "printing/reader_location.h"

#include <algorithm>

#include "platform/portable/folder_walk.h"
#include "services/path_style.h"

namespace pv {

std::string SpecialFolderPath(Shell& shell, int folderNumber)
{
    return shell.specialFolderPath(folderNumber);
}

std::vector<std::string> FindFilesInTree(FileSystem& fileSystem, EventPump& eventPump, const std::string& root,
                                         const std::vector<std::string>& fileNames)
{
    FolderList folders{root + kPathSeparator};
    PlainWalkSteps steps;
    std::vector<std::string> found(fileNames.size());
    WalkTreeFiles(fileSystem, eventPump, folders, "*.exe", steps,
                  [&](const std::string& path, const std::string& name) {
                      const auto named = std::find(fileNames.begin(), fileNames.end(), name);
                      if (named != fileNames.end() && found[named - fileNames.begin()].empty())
                          found[named - fileNames.begin()] = path;
                      return found.front().empty();
                  });
    return found;
}

std::string FindReader(Shell& shell, FileSystem& fileSystem, EventPump& eventPump, const std::string& programFiles)
{
    const std::vector<std::string> names(kReaderNames.begin(), kReaderNames.end());
    const auto adobe = [](const std::string& folder) { return folder + kPathSeparator + "Adobe"; };
    // Each tree's first copy of each name, the trees in the order they are preferred.
    std::vector<std::vector<std::string>> trees{FindFilesInTree(fileSystem, eventPump, adobe(programFiles), names)};
    if (!trees.front().front().empty())
        return trees.front().front();
    const std::string native = shell.nativeProgramFilesPath();
    if (!native.empty() && native != programFiles)
        trees.push_back(FindFilesInTree(fileSystem, eventPump, adobe(native), names));
    for (std::size_t name = 0; name < names.size(); ++name) {
        for (const auto& tree : trees) {
            if (!tree[name].empty())
                return tree[name];
        }
    }
    for (const std::string& name : names) {
        for (const std::string& path : shell.registeredProgramPaths(name)) {
            const std::optional<FileStatus> status = fileSystem.status(path);
            if (status && !(status->attributes & attr::kDirectory))
                return path;
        }
    }
    return {};
}

}  // namespace pv
