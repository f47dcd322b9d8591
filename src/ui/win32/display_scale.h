#pragma once

#include <windows.h>

namespace pv {

// The dots per inch of the display `window` is on: GetDpiForWindow where Windows has it
// (Windows 10 and later), else the screen's.
int WindowDpi(HWND window);

// The outer size of a window of `style` whose client area is `width` by `height` pixels at
// `dpi`, border and caption drawn for that dpi.
SIZE OuterSizeForClient(int width, int height, DWORD style, DWORD extendedStyle, int dpi);

// Font height in pixels (negative: the character height, as CreateFontW takes it) for
// `points` at `dpi`.
int FontHeight(double points, int dpi);

}  // namespace pv
