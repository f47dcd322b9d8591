#include "platform/portable/folder_walk.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace pv {
namespace {

// A folder of the walk: its identity (device and inode, links followed; none when unreadable)
// and the folder it was found in, so that the folders on its own path can be told.
struct WalkedFolder {
    std::optional<std::pair<std::uint64_t, std::uint64_t>> identity;
    std::size_t parent;
};
constexpr std::size_t kNoParent = static_cast<std::size_t>(-1);

// Whether `identity` is the folder `at` itself or one above it: a link there leads into a
// loop. Any other link, to a sibling or to a folder outside, is walked like a folder.
bool OnOwnPath(const std::vector<WalkedFolder>& walked, std::size_t at,
               const std::pair<std::uint64_t, std::uint64_t>& identity)
{
    for (; at != kNoParent; at = walked[at].parent) {
        if (walked[at].identity == identity)
            return true;
    }
    return false;
}

// The subfolders of `entries[begin, end)`, grouped by entry in listing order, each ending in
// one separator; `walked` holds the entries' own records at the same positions and gains one
// for each subfolder listed.
FolderList ListNextLevel(FileSystem& fileSystem, EventPump& eventPump, const FolderList& entries, std::size_t begin,
                         std::size_t end, std::vector<WalkedFolder>& walked, std::size_t walkedBase)
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
            const std::pair identity{status->device, status->inode};
            if (OnOwnPath(walked, walkedBase + i, identity))
                continue;
            walked.push_back({identity, walkedBase + i});
            path += kPathSeparator;
            nextLevel.push_back(std::move(path));
        }
    }
    return nextLevel;
}

}  // namespace

void CollectSubfolders(FileSystem& fileSystem, EventPump& eventPump, FolderList& folders, bool recurse)
{
    // One record per folder, the given entries first, then the folders below in the order
    // they are collected.
    std::vector<WalkedFolder> walked;
    for (const std::string& entry : folders) {
        const std::optional<FileStatus> status = fileSystem.status(entry);
        walked.push_back({status ? std::optional(std::pair{status->device, status->inode}) : std::nullopt, kNoParent});
    }
    const std::size_t belowBase = folders.size();
    // One level after the other, each listed from the one before, in a loop rather than one
    // nested call per level, so that the depth of a tree does not bound the stack. Every
    // level is collected before the first one reaches `folders`.
    FolderList below = ListNextLevel(fileSystem, eventPump, folders, 0, folders.size(), walked, 0);
    for (std::size_t levelBegin = 0; recurse && levelBegin < below.size();) {
        const std::size_t levelEnd = below.size();
        FolderList nextLevel = ListNextLevel(fileSystem, eventPump, below, levelBegin, levelEnd, walked, belowBase);
        below.insert(below.end(), std::make_move_iterator(nextLevel.begin()), std::make_move_iterator(nextLevel.end()));
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
