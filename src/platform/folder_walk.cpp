#include "platform/folder_walk.h"

#include <cstdint>
#include <set>
#include <utility>


namespace pv {
namespace {

// Folders already in a walk, by device and inode, so that a link leading back into the tree
// is not walked again.
using FolderIdentities = std::set<std::pair<std::uint64_t, std::uint64_t>>;

// The subfolders of `entries[begin, end)`, grouped by entry in listing order, each ending in
// one separator. Folders already walked are left out and those listed are added to `walked`.
FolderList ListNextLevel(FileSystem& fileSystem, EventPump& eventPump, const FolderList& entries,
                         std::size_t begin, std::size_t end, FolderIdentities& walked)
{
    constexpr ListingFilter kVisibleFolders{
        .includeFolders = true, .includeHiddenAndSystem = false, .includeFiles = false};
    FolderList nextLevel;
    for (std::size_t i = begin; i < end; ++i) {
        const std::string& entry = entries[i];
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
    return nextLevel;
}

}  // namespace

void CollectSubfolders(FileSystem& fileSystem, EventPump& eventPump, FolderList& folders, bool recurse)
{
    FolderIdentities walked;
    for (const std::string& entry : folders) {
        if (const std::optional<FileStatus> status = fileSystem.status(entry))
            walked.emplace(status->device, status->inode);
    }
    // One level after the other, each listed from the one before, in a loop rather than one
    // nested call per level, so that the depth of a tree does not bound the stack. Every
    // level is collected before the first one reaches `folders`.
    FolderList below = ListNextLevel(fileSystem, eventPump, folders, 0, folders.size(), walked);
    for (std::size_t levelBegin = 0; recurse && levelBegin < below.size();) {
        const std::size_t levelEnd = below.size();
        FolderList nextLevel = ListNextLevel(fileSystem, eventPump, below, levelBegin, levelEnd, walked);
        below.insert(below.end(), std::make_move_iterator(nextLevel.begin()),
                     std::make_move_iterator(nextLevel.end()));
        levelBegin = levelEnd;
    }
    for (std::string& folder : below) {
        eventPump.processEvents();
        folders.push_back(std::move(folder));
    }
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
    PlainWalkSteps steps;
    std::vector<std::string> paths;
    WalkTreeFiles(fileSystem, eventPump, folders, pattern, steps, [&](const std::string& path, const std::string&) {
        paths.push_back(path);
        return true;
    });
    return paths;
}

}  // namespace pv
