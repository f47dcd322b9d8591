#include "temp_folder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/win32/long_path.h"
#include "platform/win32/wide_text.h"

namespace pv::testing {
namespace {

namespace fs = std::filesystem;

fs::path Extended(const std::string& path)
{
    return fs::path(win32::ExtendedPath(win32::Wide(path)));
}

}  // namespace

TempFolder::TempFolder()
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    static int made = 0;
    root_ = win32::Utf8(std::wstring_view(temp, length)) + "pv-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++made);
    fs::create_directories(Extended(root_));
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(Extended(root_), ignored))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(Extended(root_), ignored);
}

std::string TempFolder::path(std::string_view relative) const
{
    return root_ + "\\" + std::string(relative);
}

void TempFolder::folder(std::string_view relative) const
{
    fs::create_directories(Extended(path(relative)));
}

void TempFolder::file(std::string_view relative, std::string_view content) const
{
    const fs::path file = Extended(path(relative));
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + path(relative));
}

void TempFolder::addAttributes(std::string_view relative, unsigned long attributes) const
{
    const std::wstring entry = win32::ExtendedPath(win32::Wide(path(relative)));
    SetFileAttributesW(entry.c_str(), GetFileAttributesW(entry.c_str()) | attributes);
}

}  // namespace pv::testing
