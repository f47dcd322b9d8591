#include "ui/win32/combo_box.h"

#include <algorithm>

#include <commctrl.h>

#include "platform/win32_support/wide_text.h"
#include "ui/win32/painting.h"
#include "window_contract/control_failures.h"

namespace pv {

namespace {

// Pixels at 96 dots per inch: the text's inset and the drop-down arrow's part at the right.
constexpr int kTextInset = 5;
constexpr int kArrowPart = 22;
constexpr int kArrowHalfWidth = 4;

// A small downward chevron centred in `part`.
void PaintArrow(HDC context, const RECT& part, COLORREF colour, const WindowLook& look)
{
    const int half = look.scaled(kArrowHalfWidth);
    const int x = (part.left + part.right) / 2;
    const int y = (part.top + part.bottom) / 2 - half / 2;
    const POINT points[] = {{x - half, y}, {x + half + 1, y}, {x, y + half + 1}};
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(context, brush);
    HGDIOBJ oldPen = SelectObject(context, GetStockObject(NULL_PEN));
    Polygon(context, points, 3);
    SelectObject(context, oldPen);
    SelectObject(context, oldBrush);
    DeleteObject(brush);
}

}  // namespace

ComboBox::ComboBox(HWND box, const WindowLook& look, std::function<void()> selectionChanged)
    : SubclassedControl(box, look),
      selectionChanged_(std::move(selectionChanged))
{}

void ComboBox::selectionChosen()
{
    if (selectionChanged_)
        selectionChanged_();
}

void ComboBox::setClosedHeight(int height)
{
    // The closed box is its selection field and the border around it. What the box reports
    // of its field's height differs between systems, so the border is measured: the field is
    // given a height, and the box's height tells what the border adds. Each new height resizes
    // the box and its list, so the first is the one the box's report of itself suggests, which
    // is right where that report holds: then the box has its height at once.
    const auto closedHeight = [this] {
        RECT closed{};
        GetWindowRect(handle(), &closed);
        return static_cast<int>(closed.bottom - closed.top);
    };
    const auto setField = [&](int field) {
        send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        return closedHeight();
    };
    const int reportedField = static_cast<int>(send(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
    const int suggested = std::max(1, height - (closedHeight() - reportedField));
    const int border = setField(suggested) - suggested;
    if (suggested + border != height)
        setField(std::max(1, height - border));
    TEXTMETRICW metrics{};
    HDC context = GetDC(handle());
    HGDIOBJ old = SelectObject(context, reinterpret_cast<HFONT>(send(WM_GETFONT)));
    GetTextMetricsW(context, &metrics);
    SelectObject(context, old);
    ReleaseDC(handle(), context);
    send(CB_SETITEMHEIGHT, 0, metrics.tmHeight + look().scaled(4));
}

void ComboBox::drawItem(const DRAWITEMSTRUCT& item) const
{
    const PartLook& part = look().printerBox;
    const bool selected = item.itemState & ODS_SELECTED;
    PaintBox(item.hDC, item.rcItem, selected ? part.selection : part.background, 0, 0, 0);
    if (item.itemID == static_cast<UINT>(-1))
        return;
    RECT text = item.rcItem;
    text.left += look().scaled(kTextInset);
    PaintText(item.hDC, win32::Wide(this->item(static_cast<int>(item.itemID))), text,
              selected ? part.selectionText : part.text, reinterpret_cast<HFONT>(send(WM_GETFONT)),
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

std::optional<LRESULT> ComboBox::notified(UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_DRAWITEM) {
        drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(w) == CBN_SELCHANGE)
        selectionChosen();
    else if (message == WM_COMMAND && (HIWORD(w) == CBN_DROPDOWN || HIWORD(w) == CBN_CLOSEUP))
        InvalidateRect(handle(), nullptr, FALSE);
    return std::nullopt;
}

LRESULT ComboBox::onMessage(UINT message, WPARAM w, LPARAM l)
{
    if (hover_.changedBy(handle(), message) && look().hoverHighlights)
        InvalidateRect(handle(), nullptr, FALSE);
    switch (message) {
    case WM_CTLCOLORLISTBOX:
        // The open list asks the box for its background before the box asks the window.
        SetBkColor(reinterpret_cast<HDC>(w), look().printerBox.background);
        return reinterpret_cast<LRESULT>(listBrush_.of(look().printerBox.background));
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CB_SETCURSEL:
    case CB_DELETESTRING:
        InvalidateRect(handle(), nullptr, FALSE);
        break;
    default:
        break;
    }
    return passOn(message, w, l);
}

void ComboBox::paint() const
{
    const PaintScope painting(handle());
    HDC context = painting.context();
    const PartLook& part = look().printerBox;
    RECT box{};
    GetClientRect(handle(), &box);
    const bool focused = GetFocus() == handle();
    COLORREF face = part.background;
    if (send(CB_GETDROPPEDSTATE))
        face = part.pressedBackground;
    else if (hover_.over() && look().hoverHighlights)
        face = part.hoverBackground;
    // The corners outside the rounded box show what lies behind it: the frame.
    PaintBox(context, box, look().frame.background, look().frame.background, 0, 0);
    PaintBox(context, box, face, focused ? part.focus : part.border,
             look().scaled(part.borderWidth + (focused ? 1 : 0)), look().scaled(part.radius));
    RECT arrow = box;
    arrow.left = box.right - look().scaled(kArrowPart);
    PaintArrow(context, arrow, part.text, look());
    RECT text = box;
    text.left += look().scaled(kTextInset + part.borderWidth);
    text.right = arrow.left;
    PaintText(context, win32::Wide(this->text()), text, part.text, reinterpret_cast<HFONT>(send(WM_GETFONT)),
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

int ComboBox::count() const
{
    return static_cast<int>(send(CB_GETCOUNT));
}

std::string ComboBox::item(int index) const
{
    CheckBoxItem(index, count());
    std::wstring text(static_cast<std::size_t>(send(CB_GETLBTEXTLEN, index)) + 1, L'\0');
    const auto length = send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return win32::Utf8(text);
}

void ComboBox::addItem(const std::string& text)
{
    // Adding never notifies and keeps the selection.
    send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(text).c_str()));
}

void ComboBox::removeItem(int index)
{
    CheckBoxItem(index, count());
    const bool removesSelected = index == currentIndex();
    send(CB_DELETESTRING, index);
    if (removesSelected)
        send(CB_SETCURSEL, static_cast<WPARAM>(-1));
}

int ComboBox::currentIndex() const
{
    return static_cast<int>(send(CB_GETCURSEL));
}

void ComboBox::setCurrentIndex(int index)
{
    CheckBoxSelection(index, count());
    // CB_SETCURSEL itself notifies nobody.
    send(CB_SETCURSEL, static_cast<WPARAM>(index));
    selectionChosen();
}

std::string ComboBox::text() const
{
    const int index = currentIndex();
    return index < 0 ? std::string() : item(index);
}

}  // namespace pv
