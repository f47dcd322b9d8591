#pragma once

#include <string>
#include <string_view>

namespace pv::testing {

// A fresh folder in the system's temporary folder for one test, removed with everything in it
// (unreadable or read-only entries and paths beyond the system's path limit included) when the
// object goes. Paths are UTF-8, with the system's separator.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return root_; }
    // The root, the separator, and `relative`.
    std::string path(std::string_view relative) const;

    // Each creates the missing folders above it.
    void folder(std::string_view relative) const;
    void file(std::string_view relative, std::string_view content = {}) const;
#ifdef _WIN32
    // Adds the FILE_ATTRIBUTE_* bits given to an entry.
    void addAttributes(std::string_view relative, unsigned long attributes) const;
#else
    void link(std::string_view relative, std::string_view target) const;
    void fifo(std::string_view relative) const;
#endif

private:
    std::string root_;
};

#ifndef _WIN32
// For a forked child: as root, becomes the unprivileged user "nobody", so that permission
// bits bind (root reads any folder). Exits the child with code 3 when that fails.
void DropPrivileges();
#endif

}  // namespace pv::testing
