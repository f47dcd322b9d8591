#include "ui/win32/painting.h"

#include <algorithm>

#include "platform/win32_support/owned.h"

namespace pv {

HBRUSH ColourBrush::of(COLORREF colour)
{
    if (!brush_.valid() || colour != colour_) {
        brush_ = win32::OwnedBrush(CreateSolidBrush(colour));
        colour_ = colour;
    }
    return brush_.get();
}

namespace {

void FillRounded(HDC context, const RECT& box, COLORREF colour, int radius)
{
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    win32::OwnedBrush brush(CreateSolidBrush(colour));
    if (radius <= 0) {
        FillRect(context, &box, brush.get());
        return;
    }
    HGDIOBJ oldBrush = SelectObject(context, brush.get());
    HGDIOBJ oldPen = SelectObject(context, GetStockObject(NULL_PEN));
    // Without a pen the shape leaves out its right and bottom edges.
    RoundRect(context, box.left, box.top, box.right + 1, box.bottom + 1, 2 * radius, 2 * radius);
    SelectObject(context, oldPen);
    SelectObject(context, oldBrush);
}

}  // namespace

void PaintBox(HDC context, const RECT& box, COLORREF fill, COLORREF border, int borderWidth, int radius)
{
    const int width = std::max(0, borderWidth);
    if (width > 0)
        FillRounded(context, box, border, radius);
    RECT inside = box;
    InflateRect(&inside, -width, -width);
    FillRounded(context, inside, fill, std::max(0, radius - width));
}

void PaintText(HDC context, const std::wstring& text, RECT box, COLORREF colour, HFONT font, UINT format)
{
    HGDIOBJ oldFont = SelectObject(context, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, colour);
    DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &box, format | DT_NOPREFIX);
    SelectObject(context, oldFont);
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace pv
