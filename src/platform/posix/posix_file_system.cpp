#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string_view>
#include <utility>

#include "platform/portable/wildcard.h"

namespace pv {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            close(fd_);
    }

    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }

private:
    int fd_;
};

// A path made short enough for the kernel: the folder it is relative to (the current folder
// unless a stretch had to be opened first) and the rest of the path, which points into the
// caller's string.
struct ReachablePath {
    Descriptor base;
    const char* rest = nullptr;

    int folder() const { return base.valid() ? base.get() : AT_FDCWD; }
};

// Opens paths of PATH_MAX bytes or more a stretch at a time, each stretch cut at a separator
// and opened as a folder relative to the one before. Nothing when a stretch cannot be opened.
std::optional<ReachablePath> Reach(const std::string& path)
{
    ReachablePath reachable;
    std::size_t start = 0;
    while (path.size() - start >= PATH_MAX) {
        const std::string_view rest(path.data() + start, path.size() - start);
        const std::size_t cut = rest.rfind('/', PATH_MAX - 1);
        if (cut == std::string_view::npos || cut == 0)
            return std::nullopt;  // one name longer than any file system allows
        const std::string stretch(rest.substr(0, cut));
        Descriptor next(openat(reachable.folder(), stretch.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!next.valid())
            return std::nullopt;
        reachable.base = std::move(next);
        start += cut;
        while (start < path.size() && path[start] == '/')
            ++start;
    }
    reachable.rest = start < path.size() || start == 0 ? path.c_str() + start : ".";
    return reachable;
}

bool IsHiddenName(std::string_view name)
{
    return name.starts_with('.') && name != "." && name != "..";
}

// The last name of a path, trailing separators ignored.
std::string_view LastName(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const std::size_t separator = path.rfind('/');
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::uint32_t Attributes(const struct stat& info, std::string_view name)
{
    std::uint32_t attributes = 0;
    if (S_ISDIR(info.st_mode))
        attributes |= attr::kDirectory;
    else if (S_ISREG(info.st_mode))
        attributes |= attr::kArchive;
    if (IsHiddenName(name))
        attributes |= attr::kHidden;
    if ((info.st_mode & S_IWUSR) == 0)
        attributes |= attr::kReadOnly;
    return attributes;
}

enum class EntryKind { Folder, File, Neither };

EntryKind KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    return S_ISREG(mode) ? EntryKind::File : EntryKind::Neither;
}

// What a listed entry is, links followed; an entry whose status cannot be read (a dangling
// link) is neither.
EntryKind KindOf(int folder, const dirent64& entry)
{
    switch (entry.d_type) {
    case DT_DIR:
        return EntryKind::Folder;
    case DT_REG:
        return EntryKind::File;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat info {};
        if (fstatat(folder, entry.d_name, &info, 0) != 0)
            return EntryKind::Neither;
        return KindOf(info.st_mode);
    }
    default:
        return EntryKind::Neither;
    }
}

// A listed name with its sort key: NTFS lists in ordinal order after upper-casing; names
// equal that way fall back to their bytes, so the order is total and the same on every run.
struct ListedName {
    explicit ListedName(std::string_view bytes) : key(bytes), name(bytes)
    {
        for (char& c : key) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        }
    }
    bool operator<(const ListedName& other) const
    {
        const int order = key.compare(other.key);
        return order != 0 ? order < 0 : name < other.name;
    }

    std::string key;
    std::string name;
};

}  // namespace

std::vector<std::string> PosixFileSystem::list(const std::string& folder, const std::string& pattern,
                                               ListingFilter filter)
{
    const auto reachable = Reach(folder);
    if (!reachable)
        return {};
    const Descriptor directory(openat(reachable->folder(), reachable->rest, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!directory.valid())
        return {};
    // Without search permission the names could be read but none of the entries reached:
    // such a folder cannot be read either.
    if (faccessat(directory.get(), ".", X_OK, AT_EACCESS) != 0)
        return {};

    // The entries are read in large batches straight from the kernel: a walk lists thousands
    // of folders, and the directory stream's extra calls per folder would show.
    std::vector<ListedName> listed;
    alignas(dirent64) char batch[32768];
    for (;;) {
        const ssize_t filled = getdents64(directory.get(), batch, sizeof batch);
        if (filled < 0 && errno == EINTR)
            continue;
        if (filled < 0)
            return {};
        if (filled == 0)
            break;
        for (ssize_t at = 0; at < filled;) {
            const auto& entry = *reinterpret_cast<const dirent64*>(batch + at);
            at += entry.d_reclen;
            const std::string_view name = entry.d_name;
            if (name == "." || name == "..")
                continue;
            if (!filter.includeHiddenAndSystem && IsHiddenName(name))
                continue;
            if (!MatchesWildcard(name, pattern))
                continue;
            const EntryKind kind = KindOf(directory.get(), entry);
            if ((kind == EntryKind::File && filter.includeFiles) ||
                (kind == EntryKind::Folder && filter.includeFolders))
                listed.emplace_back(name);
        }
    }
    std::sort(listed.begin(), listed.end());
    std::vector<std::string> names;
    names.reserve(listed.size());
    for (ListedName& entry : listed)
        names.push_back(std::move(entry.name));
    return names;
}

std::optional<FileStatus> PosixFileSystem::status(const std::string& path)
{
    const auto reachable = Reach(path);
    struct stat info {};
    if (!reachable || fstatat(reachable->folder(), reachable->rest, &info, 0) != 0)
        return std::nullopt;
    return FileStatus{Attributes(info, LastName(path)), static_cast<std::uint64_t>(info.st_dev),
                      static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<std::string> PosixFileSystem::readFile(const std::string& path, std::size_t maxBytes)
{
    const auto reachable = Reach(path);
    if (!reachable)
        return std::nullopt;
    // Non-blocking, so that opening a FIFO cannot hang; only regular files are read.
    const Descriptor file(openat(reachable->folder(), reachable->rest, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info {};
    if (!file.valid() || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes)
        return std::nullopt;

    // The size may change while reading: read to the end, but never keep more than the cap.
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        if (static_cast<std::size_t>(got) > maxBytes - content.size())
            return std::nullopt;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    return content;
}

}  // namespace pv
