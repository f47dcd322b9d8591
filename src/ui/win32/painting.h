#pragma once

#include <string>

#include <windows.h>

namespace pv {

// Fills `box` with `fill` inside a border `borderWidth` pixels wide in `border`, its corners
// rounded by `radius` pixels (0: square).
void PaintBox(HDC context, const RECT& box, COLORREF fill, COLORREF border, int borderWidth, int radius);

// `text` in `colour` and `font` inside `box`, placed by DrawText's `format`.
void PaintText(HDC context, const std::wstring& text, RECT box, COLORREF colour, HFONT font, UINT format);

// The window's text.
std::wstring WindowText(HWND window);

}  // namespace pv
