#pragma once

#include <string>

#include <windows.h>

#include "platform/win32_support/owned.h"

namespace pv {

// A solid brush of the colour last asked for, made again only when the colour changes.
class ColourBrush {
public:
    HBRUSH of(COLORREF colour);

private:
    COLORREF colour_ = 0;
    win32::OwnedBrush brush_;
};

// One WM_PAINT's drawing: BeginPaint when made, EndPaint when left, however it is left, so
// that a drawing that fails still validates the window.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), context_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC context() const { return context_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC context_;
};

// Fills `box` with `fill` inside a border `borderWidth` pixels wide in `border`, its corners
// rounded by `radius` pixels (0: square).
void PaintBox(HDC context, const RECT& box, COLORREF fill, COLORREF border, int borderWidth, int radius);

// `text` in `colour` and `font` inside `box`, placed by DrawText's `format`.
void PaintText(HDC context, const std::wstring& text, RECT box, COLORREF colour, HFONT font, UINT format);

// The window's text.
std::wstring WindowText(HWND window);

}  // namespace pv
