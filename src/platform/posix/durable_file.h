#pragma once

#include <filesystem>
#include <string>

namespace pv {

// Replaces the file `path` with `text`, whole or not at all, even across a crash or a power
// cut: written beside it under a name of its own (another process may write at the same time),
// flushed to the disk, renamed over it, and the folder flushed too. The file keeps its mode; a
// new one is the user's alone. Makes the folder (the user's alone) where it is missing.
// Returns 0, or the errno of what failed.
int ReplaceFileDurably(const std::filesystem::path& path, const std::string& text);

}  // namespace pv
