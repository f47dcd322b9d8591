#include "platform/win32/long_path.h"

#include <windows.h>

#include "platform/win32_support/wide_text.h"

namespace pv::win32 {
namespace {

// Folders are limited to MAX_PATH less room for an 8.3 name; every path that long or longer
// takes the extended form.
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;

}  // namespace

std::wstring ExtendedPath(const std::wstring& path)
{
    if (path.starts_with(LR"(\\?\)"))
        return path;
    std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    if (full.starts_with(LR"(\\)"))
        return LR"(\\?\UNC\)" + full.substr(2);
    return LR"(\\?\)" + full;
}

std::wstring SystemPath(const std::string& path)
{
    std::wstring wide = Wide(path);
    return wide.size() < kPlainPathLimit ? wide : ExtendedPath(wide);
}

}  // namespace pv::win32
