#include "ui/win32/control_window.h"

#include "platform/win32_support/system_error.h"
#include "platform/win32_support/wide_text.h"

namespace pv {

namespace {

// Identifiers start above IDOK..IDHELP, which dialog navigation gives meanings of its own.
constexpr int kFirstControlId = 100;

}  // namespace

int ControlId(int index)
{
    return kFirstControlId + index;
}

int ControlIndex(int id)
{
    return id - kFirstControlId;
}

HWND CreateControlWindow(HWND parent, const layout::Control& control, const RECT& place, const wchar_t* windowClass,
                         DWORD style, DWORD extendedStyle)
{
    const auto controls = layout::MainWindowControls();
    const auto index = static_cast<int>(&control - controls.data());
    HWND window = CreateWindowExW(
        extendedStyle, windowClass, win32::Wide(control.caption).c_str(), WS_CHILD | WS_VISIBLE | style, place.left,
        place.top, place.right - place.left, place.bottom - place.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index))), GetModuleHandleW(nullptr), nullptr);
    if (!window)
        throw win32::SystemFailure(std::string("Cannot create the control ") + control.name, GetLastError());
    return window;
}

}  // namespace pv
