#include "platform/win32/win32_file_dialogs.h"

#include <cderr.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "failure/failure.h"
#include "platform/win32_support/owned.h"
#include "platform/win32_support/wide_text.h"

namespace pv {

std::wstring DialogFilter(const std::string& filter)
{
    std::wstring text = win32::Wide(filter);
    std::replace(text.begin(), text.end(), L'|', L'\0');
    text.append(2, L'\0');
    return text;
}

std::string ChosenNames(const std::wstring& buffer)
{
    const std::size_t end = buffer.find(std::wstring_view(L"\0\0", 2));
    return win32::Utf8(std::wstring_view(buffer).substr(0, end));
}

std::string Win32FileDialogs::showOpen(const OpenFileDialogSettings& settings)
{
    // The buffer starts with the proposed name and holds the chosen ones: as many characters
    // as the settings allow, one of them the ending NUL.
    const std::size_t length = std::max<std::size_t>(settings.maxFileNameLength, 1);
    std::wstring buffer(length + 1, L'\0');
    const std::wstring proposed = win32::Wide(settings.fileName).substr(0, length - 1);
    std::copy(proposed.begin(), proposed.end(), buffer.begin());
    const std::wstring filter = DialogFilter(settings.filter);
    const std::wstring title = win32::Wide(settings.title);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = settings.filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(length);
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.Flags = settings.flags;
    if (GetOpenFileNameW(&dialog))
        return ChosenNames(buffer);
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
        throw Failure("The chosen file names do not fit in the file name buffer",
                      failure_code::kFileNameBufferTooSmall);
    return {};
}

std::string Win32FileDialogs::browseForFolder(const std::string& title)
{
    const std::wstring caption = win32::Wide(title);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner_;
    browse.lpszTitle = caption.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    const win32::ItemList chosen(SHBrowseForFolderW(&browse));
    wchar_t path[MAX_PATH];
    if (!chosen.valid() || !SHGetPathFromIDListW(chosen.get(), path))
        return {};
    return win32::Utf8(path);
}

}  // namespace pv
