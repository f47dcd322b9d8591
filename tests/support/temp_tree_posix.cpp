#include "support/temp_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace pv::testing {
namespace {

void Check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error("temp tree: cannot " + what);
}

// Removes everything inside the open folder `folder`, working through descriptors so that
// depth and path length do not matter; unreadable folders are opened up first.
void RemoveInside(int folder)
{
    std::vector<std::string> names;
    if (DIR* directory = fdopendir(dup(folder))) {
        while (const dirent* entry = readdir(directory)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(directory);
    }
    for (const std::string& name : names) {
        struct stat info {};
        if (fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode)) {
            fchmodat(folder, name.c_str(), 0700, 0);
            const int inner = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (inner >= 0) {
                RemoveInside(inner);
                close(inner);
            }
            unlinkat(folder, name.c_str(), AT_REMOVEDIR);
        } else {
            unlinkat(folder, name.c_str(), 0);
        }
    }
}

}  // namespace

TempTree::TempTree()
{
    std::string pattern = "/tmp/pressvale-walk-XXXXXX";
    Check(mkdtemp(pattern.data()) != nullptr, "make a temporary folder");
    root_ = pattern;
}

TempTree::~TempTree()
{
    chmod(root_.c_str(), 0700);
    const int folder = open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        RemoveInside(folder);
        close(folder);
    }
    rmdir(root_.c_str());
}

std::string TempTree::path(std::string_view relative) const
{
    return root_ + "/" + std::string(relative);
}

void TempTree::folder(std::string_view relative) const
{
    std::filesystem::create_directories(path(relative));
}

void TempTree::file(std::string_view relative, std::string_view content) const
{
    const std::filesystem::path target = path(relative);
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    Check(out.good(), "write " + target.string());
}

void TempTree::link(std::string_view relative, std::string_view target) const
{
    const std::filesystem::path at = path(relative);
    std::filesystem::create_directories(at.parent_path());
    Check(symlink(std::string(target).c_str(), at.c_str()) == 0, "link " + at.string());
}

void TempTree::fifo(std::string_view relative) const
{
    const std::filesystem::path at = path(relative);
    std::filesystem::create_directories(at.parent_path());
    Check(mkfifo(at.c_str(), 0600) == 0, "make FIFO " + at.string());
}

void DropPrivileges()
{
    constexpr uid_t kNobody = 65534;
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
        _exit(3);
}

}  // namespace pv::testing
