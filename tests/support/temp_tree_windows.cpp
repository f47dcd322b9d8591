#include "support/temp_tree.h"

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "platform/win32/long_path.h"
#include "platform/win32_support/owned.h"
#include "platform/win32_support/wide_text.h"

namespace pv::testing {
namespace {

namespace fs = std::filesystem;

fs::path Extended(const std::string& path)
{
    return fs::path(win32::ExtendedPath(win32::Wide(path)));
}

// Removes `folder` (in its extended form) with everything in it, read-only entries included.
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    const win32::FindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    for (bool more = find.valid(); more; more = FindNextFileW(find.get(), &entry)) {
        const std::wstring name = entry.cFileName;
        const std::wstring path = folder + L"\\" + name;
        if (name == L"." || name == L"..")
            continue;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            DeleteFileW(path.c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempTree::TempTree()
{
    // Process ids come back soon under Wine; the time keeps the names apart.
    static int made = 0;
    root_ = (fs::temp_directory_path() / ("pv-" + std::to_string(GetCurrentProcessId()) + "-" +
                                          std::to_string(GetTickCount64()) + "-" + std::to_string(++made)))
                .string();
    fs::create_directories(Extended(root_));
}

TempTree::~TempTree()
{
    RemoveTree(win32::ExtendedPath(win32::Wide(root_)));
}

std::string TempTree::path(std::string_view relative) const
{
    return root_ + "\\" + std::string(relative);
}

void TempTree::folder(std::string_view relative) const
{
    fs::create_directories(Extended(path(relative)));
}

void TempTree::file(std::string_view relative, std::string_view content) const
{
    const fs::path file = Extended(path(relative));
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

void TempTree::addAttributes(std::string_view relative, unsigned long attributes) const
{
    const fs::path entry = Extended(path(relative));
    SetFileAttributesW(entry.c_str(), GetFileAttributesW(entry.c_str()) | attributes);
}

}  // namespace pv::testing
