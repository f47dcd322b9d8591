#pragma once

#include <string>
#include <vector>

#include "services/event_pump.h"
#include "services/file_system.h"
#include "services/path_style.h"

namespace pv {

// Folder paths, each ending in one separator, in the order they are visited.
using FolderList = std::vector<std::string>;

// Appends every subfolder beneath the entries of `folders` (all levels when `recurse`),
// level by level, each level grouped by parent in listing order. Hidden and system folders
// are neither listed nor entered. A link is walked like a folder, each time a path reaches it,
// unless it leads to a folder on its own path (that folder itself or one above it): a loop.
// Yields to the event loop while it lists. `folders` is appended to only once a level and all
// deeper ones are complete.
void CollectSubfolders(FileSystem& fileSystem, EventPump& eventPump, FolderList& folders, bool recurse);

// Bare names of the files (never folders) of `folder` that match `pattern`, hidden and system
// files included, in listing order. `folder` may end in a separator.
std::vector<std::string> ListMatchingFiles(FileSystem& fileSystem, const std::string& folder,
                                           const std::string& pattern);

// The steps of a walk over a tree's files, for callers that run each step in a way of their
// own (the Add All action runs each under its guard with a line number of its own).
enum class WalkStep {
    CollectFolders,  // CollectSubfolders over the folder list, all levels
    TrimEntry,       // a folder entry loses its trailing separator
    ListFolder,      // ListMatchingFiles of that folder
    TestName,        // names beginning with "~" are passed over
    ComposePath,     // folder, separator, name
};

// Runs every step of a walk as it comes.
struct PlainWalkSteps {
    template <class Step>
    void step(WalkStep, Step&& action)
    {
        action();
    }
    template <class Test>
    bool test(WalkStep, Test&& condition)
    {
        return condition();
    }
};

// Whether a file found in a walked folder takes part in the walk: names beginning with "~"
// never do.
inline bool IsWalkedFileName(const std::string& name)
{
    return name.front() != '~';
}

// The walk over the files of a tree: `folders` (entries ending in one separator, usually the
// root alone) is completed by CollectSubfolders, then each folder is listed in turn for names
// matching `pattern`, and `onFile(path, name)` receives each walked file's full path (not
// normalised) in walk order: the first folders' files first, then level by level. The walk
// stops early when `onFile` returns false. A turn of the event loop comes before each
// folder's listing, so that a tree of many folders keeps the window answering.
template <class Steps, class OnFile>
void WalkTreeFiles(FileSystem& fileSystem, EventPump& eventPump, FolderList& folders, const std::string& pattern,
                   Steps& steps, OnFile&& onFile)
{
    steps.step(WalkStep::CollectFolders, [&] { CollectSubfolders(fileSystem, eventPump, folders, true); });
    for (std::string folder : folders) {
        eventPump.processEvents();
        std::vector<std::string> names;
        steps.step(WalkStep::TrimEntry, [&] { folder.pop_back(); });
        steps.step(WalkStep::ListFolder, [&] { names = ListMatchingFiles(fileSystem, folder, pattern); });
        for (const std::string& name : names) {
            if (!steps.test(WalkStep::TestName, [&] { return IsWalkedFileName(name); }))
                continue;
            std::string path;
            steps.step(WalkStep::ComposePath, [&] { path = folder + kPathSeparator + name; });
            if (!onFile(path, name))
                return;
        }
    }
}

// Full paths of the files of the whole tree under `root` that match `pattern`, in walk order.
std::vector<std::string> ListTreeFiles(FileSystem& fileSystem, EventPump& eventPump, const std::string& root,
                                       const std::string& pattern);

}  // namespace pv
