#pragma once

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace pv {

// A file list (CF_HDROP) of `paths` as the shell hands it over: a DROPFILES header followed by
// the wide names, each ended by a NUL, and a final NUL.
inline HGLOBAL DropFilesOf(const std::vector<std::wstring>& paths)
{
    std::wstring names;
    for (const std::wstring& path : paths)
        names += path + L'\0';
    names += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return memory;
}

// The clipboard's OLE data object holding `memory` as `format`, as a drag from another program
// offers its data; null when the clipboard cannot be had. The caller releases it.
inline IDataObject* OfferedData(UINT format, HGLOBAL memory)
{
    if (!OpenClipboard(nullptr))
        return nullptr;
    EmptyClipboard();
    SetClipboardData(format, memory);
    CloseClipboard();
    IDataObject* data = nullptr;
    return OleGetClipboard(&data) == S_OK ? data : nullptr;
}

}  // namespace pv
