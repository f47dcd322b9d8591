#include "ui/win32/cursor_loader.h"

#include "platform/portable/cursor_file.h"
#include "platform/win32_support/wide_text.h"
#include "window_contract/control_failures.h"

namespace pv {

namespace {

// The pointer made from the file's first image, as Windows makes one from a resource: the hot
// spot (an icon's is the image's centre), then the image as the file holds it. Made from the
// bytes already read and checked, the file is neither opened again nor made an icon first.
HCURSOR CursorFromImage(const CursorFileContent& file)
{
    const CursorFileInfo& info = file.info;
    const bool isCursor = info.type == 2;
    const WORD hotspot[] = {static_cast<WORD>(isCursor ? info.hotspotX : info.width / 2),
                            static_cast<WORD>(isCursor ? info.hotspotY : info.height / 2)};
    std::string resource(reinterpret_cast<const char*>(hotspot), sizeof hotspot);
    resource.append(file.bytes, info.imageOffset, info.imageSize);
    return CreateIconFromResourceEx(reinterpret_cast<BYTE*>(resource.data()), static_cast<DWORD>(resource.size()),
                                    FALSE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
}

}  // namespace

win32::OwnedCursor LoadCursorFile(const std::string& path)
{
    const std::optional<CursorFileContent> file = ReadCursorFile(win32::Wide(path));
    if (!file)
        ThrowInvalidPicture();
    HCURSOR cursor = CursorFromImage(*file);
    if (!cursor)
        ThrowInvalidPicture();
    return win32::OwnedCursor(cursor);
}

void ShowPointerAgain(HWND window)
{
    // No pointer is over a hidden window (and none of its children shows): the load's pointer
    // is taken before the window shows, with no window under it to find.
    if (!IsWindowVisible(window))
        return;
    POINT at{};
    GetCursorPos(&at);
    HWND under = WindowFromPoint(at);
    if (under == window || IsChild(window, under))
        SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

}  // namespace pv
