#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pv {

// Attribute bits as the program tests them (the Windows values; the Linux layer maps onto them).
namespace attr {
inline constexpr std::uint32_t kReadOnly = 1;
inline constexpr std::uint32_t kHidden = 2;
inline constexpr std::uint32_t kSystem = 4;
inline constexpr std::uint32_t kDirectory = 16;
inline constexpr std::uint32_t kArchive = 32;
}  // namespace attr

// Which entries a listing returns: plain, read-only and archived files unless includeFiles is
// false (a walk that looks only for folders is spared a status read of every file), folders
// only with includeFolders, hidden and system entries only with includeHiddenAndSystem.
struct ListingFilter {
    bool includeFolders = false;
    bool includeHiddenAndSystem = false;
    bool includeFiles = true;
};

// What the platform knows of one file-system entry (links followed).
struct FileStatus {
    std::uint32_t attributes = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};

// The file system, in the platform's native path form (bytes on Linux).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Bare names of the entries of `folder` whose names match the wildcard `pattern`
    // (case-insensitive; "*.*" matches every name; a pattern without wildcards matches that
    // one name), "." and ".." never included, in the platform's listing order. `folder` may
    // end in a separator. A folder that does not exist or cannot be read lists nothing.
    virtual std::vector<std::string> list(const std::string& folder, const std::string& pattern,
                                          ListingFilter filter) = 0;

    // Status of `path`, or nothing when it cannot be read (missing, dangling link, no access).
    virtual std::optional<FileStatus> status(const std::string& path) = 0;

    // The whole content of a file, or nothing when it cannot be read or exceeds `maxBytes`.
    virtual std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) = 0;
};

}  // namespace pv
