#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include "platform/win32/long_path.h"
#include "platform/win32_support/owned.h"
#include "platform/win32_support/wide_text.h"

namespace pv {
namespace {

using win32::KernelHandle;

bool Wanted(const WIN32_FIND_DATAW& entry, ListingFilter filter)
{
    const std::wstring_view name = entry.cFileName;
    if (name == L"." || name == L"..")
        return false;
    const DWORD attributes = entry.dwFileAttributes;
    if (!filter.includeHiddenAndSystem && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        return false;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? filter.includeFolders : filter.includeFiles;
}

// Opens `path` for reading its information only, links followed; folders too.
KernelHandle OpenForInformation(const std::wstring& path, DWORD access)
{
    return KernelHandle(CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace

std::vector<std::string> Win32FileSystem::list(const std::string& folder, const std::string& pattern,
                                               ListingFilter filter)
{
    std::string search = folder;
    if (!search.empty() && search.back() != '\\' && search.back() != '/')
        search += '\\';
    search += pattern;

    WIN32_FIND_DATAW entry;
    const win32::FindHandle find(FindFirstFileExW(win32::SystemPath(search).c_str(), FindExInfoBasic, &entry,
                                                  FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find.valid())
        return {};
    std::vector<std::string> names;
    do {
        if (Wanted(entry, filter))
            names.push_back(win32::Utf8(entry.cFileName));
    } while (FindNextFileW(find.get(), &entry));
    // A folder that fails part way cannot be read: it lists nothing, as one that fails at once.
    if (GetLastError() != ERROR_NO_MORE_FILES)
        return {};
    return names;
}

std::optional<FileStatus> Win32FileSystem::status(const std::string& path)
{
    const std::wstring systemPath = win32::SystemPath(path);
    const DWORD attributes = GetFileAttributesW(systemPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;

    // The identity, and for a link its target's attributes, come from the entry opened with
    // links followed. An entry that cannot be opened keeps its attributes and no identity,
    // unless it is a link: then its target is missing or out of reach.
    const KernelHandle handle = OpenForInformation(systemPath, 0);
    BY_HANDLE_FILE_INFORMATION information;
    if (!handle.valid() || !GetFileInformationByHandle(handle.get(), &information)) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return std::nullopt;
        return FileStatus{attributes, 0, 0};
    }
    return FileStatus{information.dwFileAttributes, information.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

std::optional<std::string> Win32FileSystem::readFile(const std::string& path, std::size_t maxBytes)
{
    const KernelHandle file = OpenForInformation(win32::SystemPath(path), GENERIC_READ);
    LARGE_INTEGER size;
    if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.get(), &size) ||
        static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
        return std::nullopt;
    // The attributes alone: GetFileInformationByHandle also reads the volume's serial number,
    // which Wine asks its mount manager, another process, for.
    FILE_BASIC_INFO information;
    if (!GetFileInformationByHandleEx(file.get(), FileBasicInfo, &information, sizeof information) ||
        (information.FileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;

    // The size may change while reading: read to the end, but never keep more than the cap.
    std::string content;
    content.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            break;
        if (got > maxBytes - content.size())
            return std::nullopt;
        content.append(buffer, got);
    }
    return content;
}

}  // namespace pv
