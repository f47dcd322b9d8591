#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/registry_text.h"
#include "platform/win32_support/owned.h"
#include "platform/win32_support/wide_text.h"

namespace pv {
namespace {

// The window style "minimised with focus".
constexpr int kMinimisedWithFocus = 2;

// The registered programs, one key per program file name.
constexpr const wchar_t* kAppPaths = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

int ShellFolderNumber(int folderNumber)
{
#ifdef _WIN64
    if (folderNumber == CSIDL_PROGRAM_FILES)
        return CSIDL_PROGRAM_FILESX86;
#endif
    return folderNumber;
}

std::string ShellFolderPath(int csidl)
{
    win32::ItemList items;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, items.out())))
        return {};
    wchar_t path[MAX_PATH];
    if (!SHGetPathFromIDListW(items.get(), path))
        return {};
    return win32::Utf8(path);
}

// A registered path without the double quotes it may be written in.
std::wstring Unquoted(std::wstring path)
{
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    return path;
}

}  // namespace

std::string Win32Shell::specialFolderPath(int folderNumber)
{
    return ShellFolderPath(ShellFolderNumber(folderNumber));
}

std::string Win32Shell::nativeProgramFilesPath()
{
    return ShellFolderPath(CSIDL_PROGRAM_FILES);
}

std::vector<std::string> Win32Shell::registeredProgramPaths(const std::string& programName)
{
    const std::wstring key = kAppPaths + win32::Wide(programName);
    std::vector<std::string> paths;
    for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        win32::RegistryKey registered;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE | view, registered.out()) !=
            ERROR_SUCCESS)
            continue;
        const std::wstring path = Unquoted(win32::RegistryText(registered.get(), nullptr).value_or(L""));
        if (!path.empty())
            paths.push_back(win32::Utf8(path));
    }
    return paths;
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
