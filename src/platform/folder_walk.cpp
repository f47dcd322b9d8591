#include "platform/folder_walk.h"

#include <cstdint>
#include <set>
#include <utility>

#include "platform/path_style.h"

namespace pv {
namespace {

// Folders already in a walk, by device and inode, so that a link leading back into the tree
// is not walked again.
using FolderIdentities = std::set<std::pair<std::uint64_t, std::uint64_t>>;

// One level of the walk: lists the subfolders of every entry of `folders`, lets the next level
// collect everything deeper (one nested call per level), then appends them all to `folders`.
void CollectLevel(FileSystem& fileSystem, EventPump& eventPump, FolderList& folders, bool recurse,
                  FolderIdentities& walked)
{
    constexpr ListingFilter kVisibleFolders{
        .includeFolders = true, .includeHiddenAndSystem = false, .includeFiles = false};
    FolderList nextLevel;
    const std::size_t entryCount = folders.size();
    for (std::size_t i = 0; i < entryCount; ++i) {
        const std::string& entry = folders[i];
        const std::vector<std::string> names = fileSystem.list(entry, "*", kVisibleFolders);
        eventPump.processEvents();
        for (const std::string& name : names) {
            eventPump.processEvents();
            std::string path = entry + name;
            // The status, links followed, confirms the folder and gives its identity; an entry
            // whose status cannot be read (it vanished since the listing) is passed over.
            const std::optional<FileStatus> status = fileSystem.status(path);
            if (!status || (status->attributes & attr::kDirectory) == 0)
                continue;
            if (!walked.emplace(status->device, status->inode).second)
                continue;
            path += kPathSeparator;
            nextLevel.push_back(std::move(path));
        }
    }
    if (!nextLevel.empty() && recurse)
        CollectLevel(fileSystem, eventPump, nextLevel, recurse, walked);
    for (std::string& folder : nextLevel) {
        eventPump.processEvents();
        folders.push_back(std::move(folder));
    }
}

}  // namespace

void CollectSubfolders(FileSystem& fileSystem, EventPump& eventPump, FolderList& folders, bool recurse)
{
    FolderIdentities walked;
    for (const std::string& entry : folders) {
        if (const std::optional<FileStatus> status = fileSystem.status(entry))
            walked.emplace(status->device, status->inode);
    }
    CollectLevel(fileSystem, eventPump, folders, recurse, walked);
}

std::vector<std::string> ListMatchingFiles(FileSystem& fileSystem, const std::string& folder,
                                           const std::string& pattern)
{
    constexpr ListingFilter kEveryFile{.includeFolders = false, .includeHiddenAndSystem = true};
    if (!folder.empty() && folder.back() == kPathSeparator)
        return fileSystem.list(folder, pattern, kEveryFile);
    return fileSystem.list(folder + kPathSeparator, pattern, kEveryFile);
}

std::vector<std::string> ListTreeFiles(FileSystem& fileSystem, EventPump& eventPump, const std::string& root,
                                       const std::string& pattern)
{
    FolderList folders{root + kPathSeparator};
    CollectSubfolders(fileSystem, eventPump, folders, true);

    std::vector<std::string> paths;
    for (const std::string& entry : folders) {
        const std::string folder = entry.substr(0, entry.size() - 1);
        for (const std::string& name : ListMatchingFiles(fileSystem, folder, pattern)) {
            if (!name.starts_with('~'))
                paths.push_back(folder + kPathSeparator + name);
        }
    }
    return paths;
}

}  // namespace pv
