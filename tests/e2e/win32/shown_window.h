#pragma once

#include <windows.h>

#include <string>

// The visible top-level window of class `windowClass` that process `process` shows, or null.
inline HWND ShownWindow(DWORD process, const std::wstring& windowClass)
{
    struct Search {
        DWORD process;
        const std::wstring& windowClass;
        HWND found;
    } search{process, windowClass, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64]{};
            GetClassNameW(window, name, 64);
            if (owner != s.process || s.windowClass != name || !IsWindowVisible(window))
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
