#include "ui/win32/display_scale.h"

#include <cmath>

#include "ui/layout/twips.h"

namespace pv {

namespace {

// A user32 entry point that older Windows lacks, or null.
template <typename Function>
Function User32Entry(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int WindowDpi(HWND window)
{
    static const auto forWindow = User32Entry<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (forWindow) {
        if (const UINT dpi = forWindow(window))
            return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kStandardDpi;
}

SIZE OuterSizeForClient(int width, int height, DWORD style, DWORD extendedStyle, int dpi)
{
    static const auto forDpi = User32Entry<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT outer{0, 0, width, height};
    if (!forDpi || !forDpi(&outer, style, FALSE, extendedStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&outer, style, FALSE, extendedStyle);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

int FontHeight(double points, int dpi)
{
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace pv
