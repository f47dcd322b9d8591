#include "ui/win32/list_view_painting.h"

#include <algorithm>

#include "platform/win32_support/callback_boundary.h"
#include "ui/win32/painting.h"

namespace pv {

namespace {

// The header text's inset, in pixels at 96 dots per inch.
constexpr int kHeaderTextInset = 6;

}  // namespace

ListViewPainting::~ListViewPainting()
{
    // Destroying the list takes its header with it.
    if (list_.handle())
        paintHeaderRestToo(false);
}

HWND ListViewPainting::header() const
{
    return reinterpret_cast<HWND>(list_.send(LVM_GETHEADER));
}

void ListViewPainting::lookChanged()
{
    const WindowLook& look = list_.look();
    const COLORREF back = look.drawsList ? look.list.background : GetSysColor(COLOR_WINDOW);
    const COLORREF text = look.drawsList ? look.list.text : GetSysColor(COLOR_WINDOWTEXT);
    // The list view is told only colours it does not have: the load refreshes the look several
    // times before the window shows, mostly changing nothing here.
    if (!colours_ || colours_->first != back || colours_->second != text) {
        list_.send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
        list_.send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(back));
        list_.send(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
        colours_.emplace(back, text);
    }
    paintHeaderRestToo(look.drawsList);
    RedrawWindow(list_.handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ListViewPainting::paintHeaderRestToo(bool paint)
{
    // The list view asks its header something for every row whose state it changes, so the
    // header's procedure is replaced only while it is needed, and directly, which costs far
    // less per message than a subclass chain.
    if (paint == (headerDefault_ != nullptr))
        return;
    HWND header = this->header();
    if (paint) {
        SetWindowLongPtrW(header, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        headerDefault_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(headerProcedure)));
    } else {
        SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(headerDefault_));
        headerDefault_ = nullptr;
    }
}

LRESULT CALLBACK ListViewPainting::headerProcedure(HWND header, UINT message, WPARAM w, LPARAM l)
{
    const auto& owner = *reinterpret_cast<ListViewPainting*>(GetWindowLongPtrW(header, GWLP_USERDATA));
    const LRESULT result = CallWindowProcW(owner.headerDefault_, header, message, w, l);
    if (message == WM_PAINT)
        win32::AtCallbackBoundary([&] { owner.paintHeaderRest(); }, [] {});
    return result;
}

LRESULT ListViewPainting::rowDrawn(NMLVCUSTOMDRAW& draw) const
{
    const WindowLook& look = list_.look();
    if (!look.drawsList)
        return CDRF_DODEFAULT;
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    const PartLook& part = look.list;
    const auto index = static_cast<WPARAM>(draw.nmcd.dwItemSpec);
    // The list view would draw the selection in the system's colours: the row is drawn as
    // not selected, in the skin's selection colours.
    draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
    if (list_.send(LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) {
        draw.clrText = part.selectionText;
        draw.clrTextBk = part.selection;
    } else {
        const bool hovered = look.hoverHighlights && static_cast<int>(index) + 1 == hoveredRow_;
        draw.clrText = part.text;
        draw.clrTextBk = hovered ? part.hoverBackground : part.background;
    }
    return CDRF_NEWFONT;
}

bool ListViewPainting::fromHeader(const NMHDR& header) const
{
    return header.code == NM_CUSTOMDRAW && header.hwndFrom == this->header();
}

LRESULT ListViewPainting::headerDrawn(NMCUSTOMDRAW& draw) const
{
    const WindowLook& look = list_.look();
    if (!look.drawsList)
        return CDRF_DODEFAULT;
    // The header row in the window's colour, a line under it and at each column's right edge
    // (users drag that edge to widen the column).
    const PartLook& part = look.list;
    const int line = look.scaled(part.borderWidth);
    RECT box = draw.rc;
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    box.bottom -= line;
    PaintBox(draw.hdc, box, part.border, part.border, 0, 0);
    box.right -= line;
    PaintBox(draw.hdc, box, look.window, look.window, 0, 0);
    wchar_t text[256]{};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(draw.hdr.hwndFrom, HDM_GETITEMW, draw.dwItemSpec, reinterpret_cast<LPARAM>(&item));
    box.left += look.scaled(kHeaderTextInset);
    PaintText(draw.hdc, text, box, part.text,
              reinterpret_cast<HFONT>(SendMessageW(draw.hdr.hwndFrom, WM_GETFONT, 0, 0)),
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    return CDRF_SKIPDEFAULT;
}

void ListViewPainting::paintHeaderRest() const
{
    // The header row right of the last column, which the header draws after its columns.
    const WindowLook& look = list_.look();
    HWND header = this->header();
    RECT rest{};
    GetClientRect(header, &rest);
    const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    RECT last{};
    if (columns > 0 && SendMessageW(header, HDM_GETITEMRECT, columns - 1, reinterpret_cast<LPARAM>(&last)))
        rest.left = last.right;
    if (rest.left >= rest.right)
        return;
    HDC context = GetDC(header);
    PaintBox(context, rest, look.list.border, look.list.border, 0, 0);
    rest.bottom -= look.scaled(look.list.borderWidth);
    PaintBox(context, rest, look.window, look.window, 0, 0);
    ReleaseDC(header, context);
}

void ListViewPainting::paintBorder() const
{
    // The list's sunken edge, in the skin's border colour (the focus colour, one pixel wider,
    // while the list has the focus).
    HWND list = list_.handle();
    RECT outer{};
    GetWindowRect(list, &outer);
    POINT client{0, 0};
    ClientToScreen(list, &client);
    const int edge = client.x - outer.left;
    OffsetRect(&outer, -outer.left, -outer.top);
    if (edge <= 0)
        return;
    const WindowLook& look = list_.look();
    const PartLook& part = look.list;
    const bool focused = GetFocus() == list;
    HDC context = GetWindowDC(list);
    RECT inner = outer;
    InflateRect(&inner, -edge, -edge);
    ExcludeClipRect(context, inner.left, inner.top, inner.right, inner.bottom);
    PaintBox(context, outer, look.window, look.window, 0, 0);
    PaintBox(context, outer, part.background, focused ? part.focus : part.border,
             std::min(edge, look.scaled(part.borderWidth + (focused ? 1 : 0))), look.scaled(part.radius));
    ReleaseDC(list, context);
}

void ListViewPainting::focusChanged() const
{
    if (list_.look().drawsList)
        RedrawWindow(list_.handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void ListViewPainting::hoverRow(int row, int rows)
{
    const WindowLook& look = list_.look();
    if (row == hoveredRow_ || !look.hoverHighlights || !look.drawsList)
        return;
    for (const int each : {hoveredRow_, row}) {
        if (each > 0 && each <= rows)
            list_.send(LVM_REDRAWITEMS, static_cast<WPARAM>(each - 1), each - 1);
    }
    hoveredRow_ = row;
    if (row != 0) {
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, list_.handle(), 0};
        TrackMouseEvent(&leave);
    }
}

}  // namespace pv
