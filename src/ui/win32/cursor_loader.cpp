#include "ui/win32/cursor_loader.h"

#include "platform/portable/cursor_file.h"
#include "platform/win32_support/wide_text.h"
#include "window_contract/control_failures.h"

namespace pv {

namespace {

// An icon made into a pointer whose hot spot is the image's centre.
HCURSOR CursorFromIcon(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return nullptr;
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    const int height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(mask.bmWidth / 2);
    info.yHotspot = static_cast<DWORD>(height / 2);
    HCURSOR cursor = CreateIconIndirect(&info);
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    return cursor;
}

}  // namespace

win32::OwnedCursor LoadCursorFile(const std::string& path)
{
    const std::wstring name = win32::Wide(path);
    const std::optional<CursorFileContent> file = ReadCursorFile(name);
    if (!file)
        ThrowInvalidPicture();
    const CursorFileInfo& info = file->info;

    HCURSOR cursor = nullptr;
    if (info.type == 2) {
        cursor = static_cast<HCURSOR>(LoadImageW(nullptr, name.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    } else if (HICON icon = static_cast<HICON>(LoadImageW(nullptr, name.c_str(), IMAGE_ICON, info.width,
                                                          info.height, LR_LOADFROMFILE))) {
        cursor = CursorFromIcon(icon);
        DestroyIcon(icon);
    }
    if (!cursor)
        ThrowInvalidPicture();
    return win32::OwnedCursor(cursor);
}

void ShowPointerAgain(HWND window)
{
    POINT at{};
    GetCursorPos(&at);
    HWND under = WindowFromPoint(at);
    if (under == window || IsChild(window, under))
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

}  // namespace pv
