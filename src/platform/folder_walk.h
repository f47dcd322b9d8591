#pragma once

#include <string>
#include <vector>

#include "platform/event_pump.h"
#include "platform/file_system.h"

namespace pv {

// Folder paths, each ending in one separator, in the order they are visited.
using FolderList = std::vector<std::string>;

// Appends every subfolder beneath the entries of `folders` (all levels when `recurse`),
// level by level, each level grouped by parent in listing order. Hidden and system folders
// are neither listed nor entered; a folder reached again through a link is not walked twice.
// Yields to the event loop while it lists. `folders` is appended to only once a level and all
// deeper ones are complete.
void CollectSubfolders(FileSystem& fileSystem, EventPump& eventPump, FolderList& folders, bool recurse);

// Bare names of the files (never folders) of `folder` that match `pattern`, hidden and system
// files included, in listing order. `folder` may end in a separator.
std::vector<std::string> ListMatchingFiles(FileSystem& fileSystem, const std::string& folder,
                                           const std::string& pattern);

// Full paths (folder, separator, name) of the files of the whole tree under `root` that match
// `pattern`: the root's own first, then level by level. Names beginning with "~" are left out.
// Paths are not normalised. Yields to the event loop while it collects and lists.
std::vector<std::string> ListTreeFiles(FileSystem& fileSystem, EventPump& eventPump, const std::string& root,
                                       const std::string& pattern);

}  // namespace pv
