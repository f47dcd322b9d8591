#pragma once

#include <string>
#include <string_view>

namespace pv::testing {

// A fresh folder under /tmp for one test, removed with everything in it (unreadable folders
// and paths beyond PATH_MAX included) when the object goes.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return root_; }
    // The root, "/", and `relative`.
    std::string path(std::string_view relative) const;

    // Each creates the missing folders above it.
    void folder(std::string_view relative) const;
    void file(std::string_view relative, std::string_view content = {}) const;
    void link(std::string_view relative, std::string_view target) const;
    void fifo(std::string_view relative) const;

private:
    std::string root_;
};

// For a forked child: as root, becomes the unprivileged user "nobody", so that permission
// bits bind (root reads any folder). Exits the child with code 3 when that fails.
void DropPrivileges();

}  // namespace pv::testing
