#pragma once

#include "services/file_system.h"

namespace pv {

// The file system on Linux, paths as bytes. Listings come in the order NTFS would give
// (ordinal after ASCII upper-casing, ties by the raw bytes). Attributes: folder 16, regular
// file 32, hidden 2 for names beginning with ".", read-only 1 when the owner may not write;
// FIFOs, sockets and devices are neither files nor folders and are never listed. Paths
// longer than PATH_MAX are reached a stretch at a time through folder descriptors.
class PosixFileSystem final : public FileSystem {
public:
    std::vector<std::string> list(const std::string& folder, const std::string& pattern, ListingFilter filter) override;
    std::optional<FileStatus> status(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override;
};

}  // namespace pv
