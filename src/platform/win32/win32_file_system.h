#pragma once

#include "services/file_system.h"

namespace pv {

// The file system on Windows. Listings come from FindFirstFileExW/FindNextFileW with the
// pattern, so the system does the wildcard matching and its order is the listing order.
// Attributes are those Windows reports, links followed. The identity of an entry is its
// volume serial number and file index, which stops a walk that junctions or directory links
// lead back into the tree. Paths of any length are reached through their "\\?\" form.
class Win32FileSystem final : public FileSystem {
public:
    std::vector<std::string> list(const std::string& folder, const std::string& pattern, ListingFilter filter) override;
    std::optional<FileStatus> status(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override;
};

}  // namespace pv
