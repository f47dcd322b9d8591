#include "fakes/fake_file_system.h"

#include <algorithm>
#include <functional>

#include "platform/portable/wildcard.h"
#include "services/path_style.h"

namespace pv::testing {
namespace {

// The length of the drive ("C:") that starts `path` on Windows; 0 elsewhere.
std::size_t DriveLength(const std::string& path)
{
    if constexpr (kPathSeparator == '\\') {
        if (path.size() >= 2 && path[1] == ':')
            return 2;
    }
    return 0;
}

bool IsRoot(const std::string& path)
{
    return path.size() == DriveLength(path) + 1 && path.back() == kPathSeparator;
}

std::string Canonical(const std::string& path)
{
    std::string result;
    if (!path.empty() && path.front() == kPathSeparator)
        result = kTestDrive;
    for (char c : path) {
        if (c == kPathSeparator && !result.empty() && result.back() == kPathSeparator)
            continue;
        result += c;
    }
    if (result.size() > DriveLength(result) + 1 && result.back() == kPathSeparator)
        result.pop_back();
    return result;
}

std::string ParentOf(const std::string& path)
{
    const std::size_t slash = path.rfind(kPathSeparator);
    return slash == DriveLength(path) ? path.substr(0, slash + 1) : path.substr(0, slash);
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

}  // namespace

std::map<std::string, FakeFileSystem::Entry>::const_iterator FakeFileSystem::find(const std::string& path) const
{
    const auto found = entries_.find(Canonical(path));
    // Only a folder's path may end in a separator.
    if (found != entries_.end() && path.size() > 1 && path.back() == kPathSeparator &&
        !(found->second.attributes & attr::kDirectory))
        return entries_.end();
    return found;
}

void FakeFileSystem::addFolder(const std::string& path, std::uint32_t attributes)
{
    entries_[Canonical(path)] = Entry{attributes, {}, nextInode_++};
}

void FakeFileSystem::addFile(const std::string& path, std::uint32_t attributes, std::string content)
{
    entries_[Canonical(path)] = Entry{attributes, std::move(content), nextInode_++};
}

void FakeFileSystem::addTree(const std::string& root, std::initializer_list<std::string_view> paths)
{
    const auto addMissingFolder = [this](const std::string& folder) {
        if (find(folder) == entries_.end())
            addFolder(folder);
    };
    addMissingFolder(root);
    for (const std::string_view path : paths) {
        std::string at = root;
        std::size_t start = 0;
        for (std::size_t slash; (slash = path.find('/', start)) != std::string_view::npos; start = slash + 1) {
            at = NativeJoin(at, path.substr(start, slash - start));
            addMissingFolder(at);
        }
        if (start < path.size())
            addFile(NativeJoin(at, path.substr(start)));
    }
}

void FakeFileSystem::remove(const std::string& path)
{
    entries_.erase(Canonical(path));
}

std::vector<std::string> FakeFileSystem::list(const std::string& folder, const std::string& pattern,
                                              ListingFilter filter)
{
    const std::string parent = Canonical(folder);
    // Named as the test wrote them; on Windows the canonical form adds the test drive.
    const bool readable = std::none_of(unreadableFolders.begin(), unreadableFolders.end(),
                                       [&parent](const std::string& f) { return Canonical(f) == parent; });
    std::vector<std::string> names;
    for (const auto& [path, entry] : entries_) {
        if (!readable || IsRoot(path) || ParentOf(path) != parent)
            continue;
        const std::string name = path.substr(path.rfind(kPathSeparator) + 1);
        const bool isFolder = entry.attributes & attr::kDirectory;
        const bool hiddenOrSystem = entry.attributes & (attr::kHidden | attr::kSystem);
        if ((isFolder && !filter.includeFolders) || (!isFolder && !filter.includeFiles) ||
            (hiddenOrSystem && !filter.includeHiddenAndSystem))
            continue;
        if (MatchesWildcard(name, pattern))
            names.push_back(name);
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return Upper(a) < Upper(b); });
    if (afterList)
        afterList(parent, pattern);
    return names;
}

std::optional<FileStatus> FakeFileSystem::status(const std::string& path)
{
    const auto found = find(path);
    if (found == entries_.end())
        return std::nullopt;
    return FileStatus{found->second.attributes, 1, found->second.inode};
}

std::optional<std::string> FakeFileSystem::readFile(const std::string& path, std::size_t maxBytes)
{
    const auto found = find(path);
    if (found == entries_.end() || (found->second.attributes & attr::kDirectory) ||
        found->second.content.size() > maxBytes)
        return std::nullopt;
    return found->second.content;
}

}  // namespace pv::testing
