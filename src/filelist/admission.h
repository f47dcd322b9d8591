#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "filelist/file_list.h"
#include "platform/event_pump.h"
#include "platform/file_system.h"

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

// Appends every admissible file of the tree under `root` whose name matches `pattern`, in
// walk order, each path normalised. The files are judged as the walk finds them and appended
// once it ends. A file that vanished before its attributes were read is passed over, since a
// drop reports nothing (the Add All action reports it at its line 132).
void AddTreeFiles(FileSystem& fileSystem, EventPump& eventPump, FileList& files, const std::string& root,
                  const std::string& pattern);

}  // namespace pv
