#pragma once

#include <windows.h>

#include "services/dialogs.h"

namespace pv {

// The common open-file dialog (GetOpenFileNameW) with the flags and the name buffer length
// the settings give, and the shell's folder picker (SHBrowseForFolderW), both modal over the
// owner window once it is known.
class Win32FileDialogs final : public FileDialogs {
public:
    std::string showOpen(const OpenFileDialogSettings& settings) override;
    std::string browseForFolder(const std::string& title) override;

    void setOwner(HWND owner) { owner_ = owner; }

private:
    HWND owner_ = nullptr;
};

// The dialog's filter: each "|" of "description|pattern|..." becomes a NUL, and the list
// ends in two NULs.
std::wstring DialogFilter(const std::string& filter);

// The dialog's chosen names as the caller receives them: up to the first NUL for one file,
// or for several (folder, NUL, name, NUL, name, ..., NUL, NUL) the folder and the names
// separated by NULs, without the ending pair.
std::string ChosenNames(const std::wstring& buffer);

}  // namespace pv
