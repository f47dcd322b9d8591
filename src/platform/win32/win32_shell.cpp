#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32_support/owned.h"
#include "platform/win32_support/wide_text.h"

namespace pv {
namespace {

// The window style "minimised with focus".
constexpr int kMinimisedWithFocus = 2;

int ShellFolderNumber(int folderNumber)
{
#ifdef _WIN64
    if (folderNumber == CSIDL_PROGRAM_FILES)
        return CSIDL_PROGRAM_FILESX86;
#endif
    return folderNumber;
}

}  // namespace

std::string Win32Shell::specialFolderPath(int folderNumber)
{
    win32::ItemList items;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, ShellFolderNumber(folderNumber), items.out())))
        return {};
    wchar_t path[MAX_PATH];
    if (!SHGetPathFromIDListW(items.get(), path))
        return {};
    return win32::Utf8(path);
}

void Win32Shell::openFolder(const std::string& folder)
{
    ShellExecuteW(nullptr, L"open", win32::Wide(folder).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Shell::openAddress(const std::string& address)
{
    processes_.start("explorer \"" + address + "\"", kMinimisedWithFocus);
}

}  // namespace pv
