#include "list_actions/admission.h"

#include "failure/failure.h"
#include "services/path_style.h"

namespace pv {

std::uint32_t ReadAttributes(FileSystem& fileSystem, const std::string& path)
{
    const std::optional<FileStatus> status = fileSystem.status(path);
    if (!status)
        throw Failure("File not found", failure_code::kFileNotFound);
    return status->attributes;
}

void AppendListEntry(FileList& files, std::string path)
{
    files.append(std::move(path));
}

std::string NormaliseEntryPath(const std::string& path)
{
    if constexpr (kPathSeparator == '\\') {
        std::string result;
        result.reserve(path.size());
        for (std::size_t i = 0; i < path.size(); ++i) {
            result += path[i];
            if (path.compare(i, 3, ":\\\\") == 0) {
                result += '\\';
                i += 2;
            }
        }
        return result;
    } else {
        if (path.size() >= 2 && path[0] == '/' && path[1] == '/')
            return path.substr(1);
        return path;
    }
}

std::string ComposePath(const std::string& folder, const std::string& name)
{
    return folder + kPathSeparator + name;
}

void AddTreeFiles(FileSystem& fileSystem, EventPump& eventPump, FileList& files, const std::string& root,
                  const std::string& pattern)
{
    FolderList folders{root + kPathSeparator};
    PlainWalkSteps steps;
    AddWalkedFiles(
        fileSystem, eventPump, folders, pattern, steps,
        [&](const std::string& path) {
            const std::optional<FileStatus> status = fileSystem.status(path);
            return status && status->attributes != kSkippedTreeFileAttributes;
        },
        [&](std::string path) { AppendListEntry(files, std::move(path)); });
}

}  // namespace pv
