#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <vector>

#include "file_list/file_list.h"
#include "platform/portable/folder_walk.h"
#include "services/event_pump.h"
#include "services/file_system.h"

namespace pv {

// Judging the files of a walked tree reads each one's attributes; the event loop turns after
// this many, so that a tree of many files never holds the window for long.
inline constexpr std::size_t kFilesBetweenTurns = 256;

// Files with exactly these attributes (hidden and archived, nothing else) found in a walked
// tree stay out of the list.
inline constexpr std::uint32_t kSkippedTreeFileAttributes = attr::kHidden | attr::kArchive;

// The attribute word of `path`. Throws Failure when it cannot be read (the file is gone).
std::uint32_t ReadAttributes(FileSystem& fileSystem, const std::string& path);

// Adds one row holding `path` after the last row; changes nothing else.
void AppendListEntry(FileList& files, std::string path);

// Removes the doubled separator that composing a path from a root folder leaves: after a
// drive's colon on Windows, at the start of the path ("//x" becomes "/x") elsewhere.
std::string NormaliseEntryPath(const std::string& path);

// Folder, one separator, name.
std::string ComposePath(const std::string& folder, const std::string& name);

// Walks the tree from `folders` for names matching `pattern` (the walk's steps through
// `steps`), turning the event loop every few hundred files, and once the walk ends hands each
// file that `admits` lets in, normalised, in walk order, to `append`. Rows that another action
// appends meanwhile so come before this walk's.
template <class Steps, class Admits, class Append>
void AddWalkedFiles(FileSystem& fileSystem, EventPump& eventPump, FolderList& folders, const std::string& pattern,
                    Steps& steps, Admits&& admits, Append&& append)
{
    std::vector<std::string> admitted;
    std::size_t judged = 0;
    WalkTreeFiles(fileSystem, eventPump, folders, pattern, steps, [&](const std::string& path, const std::string&) {
        if (++judged % kFilesBetweenTurns == 0)
            eventPump.processEvents();
        if (admits(path))
            admitted.push_back(NormaliseEntryPath(path));
        return true;
    });
    for (std::string& path : admitted)
        append(std::move(path));
}

// Appends every admissible file of the tree under `root` whose name matches `pattern`, in
// walk order, each path normalised. The files are judged as the walk finds them and appended
// once it ends. A file that vanished before its attributes were read is passed over, since a
// drop reports nothing (the Add All action reports it at its line 132).
void AddTreeFiles(FileSystem& fileSystem, EventPump& eventPump, FileList& files, const std::string& root,
                  const std::string& pattern);

}  // namespace pv
