#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "fakes/native_path.h"
#include "services/file_system.h"

namespace pv::testing {

// An in-memory file tree with paths in the platform's form (as Native gives them): the
// platform's separator, and on Windows a drive; a path rooted without a drive lies on the test
// drive there. A doubled separator anywhere reads as one, as the real file system takes it.
// Listing order is the upper-cased ordinal order of the real layer.
class FakeFileSystem final : public FileSystem {
public:
    FakeFileSystem() { addFolder(Native("/")); }

    void addFolder(const std::string& path, std::uint32_t attributes = attr::kDirectory);
    void addFile(const std::string& path, std::uint32_t attributes = attr::kArchive, std::string content = {});
    void remove(const std::string& path);
    // Adds each of `paths` below the folder `root` (added when missing), written with "/" as
    // tests write them, with every missing folder on its way: a path ending in "/" names a
    // folder, any other a file, each with its kind's usual attributes.
    void addTree(const std::string& root, std::initializer_list<std::string_view> paths);

    std::vector<std::string> list(const std::string& folder, const std::string& pattern, ListingFilter filter) override;
    std::optional<FileStatus> status(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override;

    // These folders exist but cannot be read: they list nothing, as a real folder without
    // read or search permission does.
    std::set<std::string> unreadableFolders;
    // Runs after every listing; a test may change the tree in it.
    std::function<void(const std::string& folder, const std::string& pattern)> afterList;
    // Runs at every status read, with the path read.
    std::function<void(const std::string& path)> onStatus;

private:
    struct Entry {
        std::uint32_t attributes = 0;
        std::string content;
        std::uint64_t inode = 0;
    };
    // The entry at `path`, which may end in a separator only when it names a folder.
    std::map<std::string, Entry>::const_iterator find(const std::string& path) const;

    std::map<std::string, Entry> entries_;
    std::uint64_t nextInode_ = 1;
};

}  // namespace pv::testing
