#include "ui/win32/list_view.h"

#include <algorithm>
#include <utility>

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "platform/win32_support/wide_text.h"
#include "ui/layout/main_window_layout.h"
#include "ui/layout/twips.h"
#include "ui/win32/cursor_loader.h"
#include "ui/win32/input_state.h"
#include "ui/win32/painting.h"
#include "ui/win32/subclass_boundary.h"
#include "window_contract/control_failures.h"
#include "window_contract/window_events.h"

namespace pv {

namespace {

// Posted to the list itself: tell the list view the rows appended meanwhile; hand the next
// drop's names to the window's procedures; take drops and show the tool tip.
constexpr UINT kShowPendingRows = WM_APP + 1;
constexpr UINT kDeliverDrop = WM_APP + 2;
constexpr UINT kFirstTurn = WM_APP + 3;
// The header text's inset, in pixels at 96 dots per inch.
constexpr int kHeaderTextInset = 6;
constexpr int kDefaultColumnPixels = 100;
constexpr int kTipWidthPixels = 320;

// The list's one hint for all its rows, as a tool tip over the whole list.
HWND MakeToolTip(HWND list)
{
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(list), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tip)
        return nullptr;
    std::wstring text = win32::Wide(layout::kListToolTip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(list);
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = text.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, kTipWidthPixels);
    return tip;
}

}  // namespace

ListView::ListView(HWND list, const WindowLook& look)
    : list_(list),
      look_(look),
      dropTarget_([this](bool offersFileList) { return dragOver(offersFileList); },
                  [this](const std::vector<std::string>& paths) { deliverLater(paths); })
{
    send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    // Drags from other programs reach the drop target; senders that only post WM_DROPFILES
    // are taken too. Without OLE on this thread only the latter arrive. Drops are taken, and
    // the tool tip made, from when the message loop runs: registering the drop target starts
    // OLE's inter-process calls, the shell's library is loaded on first use, and the tool tip
    // is a window of its own, all of which would hold up the window's first showing.
    PostMessageW(list_, kFirstTurn, 0, 0);
    SetWindowSubclass(list_, subclassProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

ListView::~ListView()
{
    RevokeDragDrop(list_);
    paintHeaderRestToo(false);
    RemoveWindowSubclass(list_, subclassProcedure, 0);
    attach(nullptr);
}

void ListView::attach(FileList* files)
{
    if (files_)
        files_->setObserver(nullptr);
    files_ = files;
    if (files_)
        files_->setObserver(this);
    setShownCount(files_ ? files_->count() : 0);
}

void ListView::addColumn(const std::string& header)
{
    std::wstring text = win32::Wide(header);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text.data();
    column.cx = kDefaultColumnPixels;
    send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(columns_), reinterpret_cast<LPARAM>(&column));
    ++columns_;
}

void ListView::setColumnWidth(int column, double twips)
{
    CheckListColumn(column, columns_);
    send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(TwipsToPixels(twips, look_.dpi), 0));
}

void ListView::checkRow(int row) const
{
    showPendingRows();
    CheckListRow(row, shownRows_);
}

int ListView::selectedRow() const
{
    showPendingRows();
    return static_cast<int>(send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) + 1;
}

void ListView::selectRow(int row)
{
    checkRow(row);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&state));
    send(LVM_SETSELECTIONMARK, 0, row - 1);
}

void ListView::ensureVisible(int row)
{
    checkRow(row);
    send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row - 1), FALSE);
}

int ListView::rowAt(int x, int y) const
{
    // Rows are whole: a point right of a column narrower than the list still hits its row.
    showPendingRows();
    RECT client{};
    GetClientRect(list_, &client);
    if (shownRows_ == 0 || x < client.left || x >= client.right || y < client.top || y >= client.bottom)
        return 0;
    const auto top = static_cast<int>(send(LVM_GETTOPINDEX));
    RECT first{};
    first.left = LVIR_BOUNDS;
    if (!send(LVM_GETITEMRECT, static_cast<WPARAM>(top), reinterpret_cast<LPARAM>(&first)))
        return 0;
    const int height = first.bottom - first.top;
    if (height <= 0 || y < first.top)
        return 0;
    const int row = top + (y - first.top) / height + 1;
    return row <= shownRows_ ? row : 0;
}

void ListView::showDragPointer(const std::string& iconFile)
{
    dragCursor_ = LoadCursorFile(iconFile);
    refreshDragPointer();
}

void ListView::showArrowPointer()
{
    dragCursor_ = win32::OwnedCursor();
    ShowPointerAgain(GetAncestor(list_, GA_ROOT));
}

void ListView::refreshDragPointer() const
{
    // While the list holds the mouse Windows asks nobody for a pointer: the drag sets its own.
    if (dragCursor_.valid() && GetCapture() == list_)
        SetCursor(dragCursor_.get());
}

void ListView::disableOutwardDrag()
{
    // Presses are handled here and never reach the list view's own drag detection, so the
    // list never starts a drag out of itself.
}

void ListView::lookChanged(int previousDpi)
{
    if (previousDpi != look_.dpi) {
        for (int column = 0; column < columns_; ++column) {
            const auto width = static_cast<int>(send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
            send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(MulDiv(width, look_.dpi, previousDpi), 0));
        }
    }
    const COLORREF back = look_.drawsList ? look_.list.background : GetSysColor(COLOR_WINDOW);
    send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
    send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(back));
    send(LVM_SETTEXTCOLOR, 0,
         static_cast<LPARAM>(look_.drawsList ? look_.list.text : GetSysColor(COLOR_WINDOWTEXT)));
    paintHeaderRestToo(look_.drawsList);
    RedrawWindow(list_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ListView::paintHeaderRestToo(bool paint)
{
    // The list view asks its header something for every row whose state it changes, so the
    // header's procedure is replaced only while it is needed, and directly, which costs far
    // less per message than a subclass chain.
    HWND header = reinterpret_cast<HWND>(send(LVM_GETHEADER));
    if (paint == (headerDefault_ != nullptr))
        return;
    if (paint) {
        SetWindowLongPtrW(header, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        headerDefault_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(headerProcedure)));
    } else {
        SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(headerDefault_));
        headerDefault_ = nullptr;
    }
}

LRESULT ListView::customDrawn(NMLVCUSTOMDRAW& draw) const
{
    if (!look_.drawsList)
        return CDRF_DODEFAULT;
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    const PartLook& part = look_.list;
    const auto index = static_cast<WPARAM>(draw.nmcd.dwItemSpec);
    // The list view would draw the selection in the system's colours: the row is drawn as
    // not selected, in the skin's selection colours.
    draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
    if (send(LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) {
        draw.clrText = part.selectionText;
        draw.clrTextBk = part.selection;
    } else {
        const bool hovered = look_.hoverHighlights && static_cast<int>(index) + 1 == hoveredRow_;
        draw.clrText = part.text;
        draw.clrTextBk = hovered ? part.hoverBackground : part.background;
    }
    return CDRF_NEWFONT;
}

LRESULT ListView::headerDrawn(NMCUSTOMDRAW& draw) const
{
    if (!look_.drawsList)
        return CDRF_DODEFAULT;
    // The header row in the window's colour, a line under it and at each column's right edge
    // (users drag that edge to widen the column).
    const PartLook& part = look_.list;
    const int line = look_.scaled(part.borderWidth);
    RECT box = draw.rc;
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    box.bottom -= line;
    PaintBox(draw.hdc, box, part.border, part.border, 0, 0);
    box.right -= line;
    PaintBox(draw.hdc, box, look_.window, look_.window, 0, 0);
    wchar_t text[256]{};
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(draw.hdr.hwndFrom, HDM_GETITEMW, draw.dwItemSpec, reinterpret_cast<LPARAM>(&item));
    box.left += look_.scaled(kHeaderTextInset);
    PaintText(draw.hdc, text, box, part.text, reinterpret_cast<HFONT>(SendMessageW(draw.hdr.hwndFrom, WM_GETFONT, 0, 0)),
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    return CDRF_SKIPDEFAULT;
}

void ListView::paintHeaderRest() const
{
    // The header row right of the last column, which the header draws after its columns.
    HWND header = reinterpret_cast<HWND>(send(LVM_GETHEADER));
    RECT rest{};
    GetClientRect(header, &rest);
    const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    RECT last{};
    if (columns > 0 && SendMessageW(header, HDM_GETITEMRECT, columns - 1, reinterpret_cast<LPARAM>(&last)))
        rest.left = last.right;
    if (rest.left >= rest.right)
        return;
    HDC context = GetDC(header);
    PaintBox(context, rest, look_.list.border, look_.list.border, 0, 0);
    rest.bottom -= look_.scaled(look_.list.borderWidth);
    PaintBox(context, rest, look_.window, look_.window, 0, 0);
    ReleaseDC(header, context);
}

void ListView::paintBorder() const
{
    // The list's sunken edge, in the skin's border colour (the focus colour, one pixel wider,
    // while the list has the focus).
    RECT outer{};
    GetWindowRect(list_, &outer);
    POINT client{0, 0};
    ClientToScreen(list_, &client);
    const int edge = client.x - outer.left;
    OffsetRect(&outer, -outer.left, -outer.top);
    if (edge <= 0)
        return;
    const PartLook& part = look_.list;
    const bool focused = GetFocus() == list_;
    HDC context = GetWindowDC(list_);
    RECT inner = outer;
    InflateRect(&inner, -edge, -edge);
    ExcludeClipRect(context, inner.left, inner.top, inner.right, inner.bottom);
    PaintBox(context, outer, look_.window, look_.window, 0, 0);
    PaintBox(context, outer, part.background, focused ? part.focus : part.border,
             std::min(edge, look_.scaled(part.borderWidth + (focused ? 1 : 0))), look_.scaled(part.radius));
    ReleaseDC(list_, context);
}

void ListView::hoverRow(int row)
{
    if (row == hoveredRow_ || !look_.hoverHighlights || !look_.drawsList)
        return;
    for (const int each : {hoveredRow_, row}) {
        if (each > 0 && each <= shownRows_)
            send(LVM_REDRAWITEMS, static_cast<WPARAM>(each - 1), each - 1);
    }
    hoveredRow_ = row;
    if (row != 0) {
        TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, list_, 0};
        TrackMouseEvent(&leave);
    }
}

LRESULT ListView::notified(const NMHDR& header)
{
    if (header.code == NM_CUSTOMDRAW)
        return customDrawn(reinterpret_cast<NMLVCUSTOMDRAW&>(const_cast<NMHDR&>(header)));
    if (header.code != LVN_GETDISPINFOW)
        return 0;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item;
    if (!(item.mask & LVIF_TEXT) || !files_ || item.iItem < 0 || item.iItem >= files_->count() ||
        item.cchTextMax <= 0)
        return 0;
    shownText_ = win32::Wide(files_->text(item.iItem + 1));
    const std::size_t length = std::min(shownText_.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(shownText_.data(), length, item.pszText);
    item.pszText[length] = L'\0';
    return 0;
}

LRESULT CALLBACK ListView::subclassProcedure(HWND list, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self)
{
    return AtSubclassBoundary(list, message, w, l,
                              [&] { return reinterpret_cast<ListView*>(self)->handle(message, w, l); });
}

LRESULT CALLBACK ListView::headerProcedure(HWND header, UINT message, WPARAM w, LPARAM l)
{
    const auto& owner = *reinterpret_cast<ListView*>(GetWindowLongPtrW(header, GWLP_USERDATA));
    const LRESULT result = CallWindowProcW(owner.headerDefault_, header, message, w, l);
    if (message == WM_PAINT)
        win32::AtCallbackBoundary([&] { owner.paintHeaderRest(); }, [] {});
    return result;
}

LRESULT ListView::handle(UINT message, WPARAM w, LPARAM l)
{
    const int x = GET_X_LPARAM(l);
    const int y = GET_Y_LPARAM(l);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // The list view's own press handling runs a loop of its own that would swallow the
        // moves and the release the program drags rows with.
        pressed(message, l);
        return 0;
    case WM_LBUTTONDBLCLK:
        // The first press of the double-click has already selected the row.
        if (events_)
            events_->ListView1_DblClick();
        return 0;
    case WM_MOUSEMOVE:
        if (events_)
            events_->ListView1_MouseMove(MouseButtonBits(w), ShiftBitsNow(), x, y);
        // With a button held the program moves rows itself.
        if (MouseButtonBits(w) != 0) {
            refreshDragPointer();
            return 0;
        }
        hoverRow(rowAt(x, y));
        break;
    case WM_MOUSELEAVE:
        hoverRow(0);
        break;
    case WM_NOTIFY: {
        auto& draw = *reinterpret_cast<NMCUSTOMDRAW*>(l);
        if (draw.hdr.code == NM_CUSTOMDRAW && draw.hdr.hwndFrom == reinterpret_cast<HWND>(send(LVM_GETHEADER)))
            return headerDrawn(draw);
        break;
    }
    case WM_NCPAINT:
        if (look_.drawsList) {
            DefSubclassProc(list_, message, w, l);
            paintBorder();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (look_.drawsList)
            RedrawWindow(list_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (MouseButtonBits(w) == 0) {
            heldButton_ = 0;
            ReleaseCapture();
        }
        if (events_)
            events_->ListView1_MouseUp(MessageButton(message), ShiftBitsNow(), x, y);
        return 0;
    case WM_CAPTURECHANGED:
        captureLost();
        break;
    case WM_KEYDOWN:
        if (events_)
            events_->ListView1_KeyDown(static_cast<int>(w), ShiftBitsNow());
        break;
    case WM_SETCURSOR:
        if (dragCursor_.valid() && LOWORD(l) == HTCLIENT) {
            SetCursor(dragCursor_.get());
            return TRUE;
        }
        break;
    case WM_DROPFILES:
        dropped(reinterpret_cast<HDROP>(w));
        return 0;
    case kShowPendingRows:
        announcementPosted_ = false;
        showPendingRows();
        return 0;
    case kDeliverDrop:
        deliverNextDrop();
        return 0;
    case kFirstTurn:
        RegisterDragDrop(list_, &dropTarget_);
        DragAcceptFiles(list_, TRUE);
        tip_ = win32::OwnedWindow(MakeToolTip(list_));
        return 0;
    default:
        break;
    }
    return DefSubclassProc(list_, message, w, l);
}

void ListView::pressed(UINT message, LPARAM at)
{
    const int x = GET_X_LPARAM(at);
    const int y = GET_Y_LPARAM(at);
    const int button = MessageButton(message);
    if (events_)
        events_->ListView1_MouseDown(button, ShiftBitsNow(), x, y);
    SetFocus(list_);
    SetCapture(list_);
    heldButton_ = button;
    const int row = rowAt(x, y);
    if (row != 0)
        selectRow(row);
    if (events_ && row != 0)
        events_->ListView1_ItemClick(row);
}

void ListView::captureLost()
{
    // Another window took the pointer before the release (a message box, a switch to another
    // window, another program): the release will not come here, so the press ends now, as a
    // release ends it.
    if (heldButton_ == 0)
        return;
    const int button = std::exchange(heldButton_, 0);
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(list_, &at);
    if (events_)
        events_->ListView1_MouseUp(button, ShiftBitsNow(), at.x, at.y);
}

bool ListView::dragOver(bool offersFileList)
{
    return events_ && events_->ListView1_OLEDragOver(offersFileList);
}

void ListView::deliverLater(std::vector<std::string> paths)
{
    drops_.push_back(std::move(paths));
    PostMessageW(list_, kDeliverDrop, 0, 0);
}

void ListView::deliverNextDrop()
{
    if (drops_.empty())
        return;
    const std::vector<std::string> paths = std::move(drops_.front());
    drops_.pop_front();
    deliver(paths);
}

void ListView::deliver(const std::vector<std::string>& paths)
{
    if (events_)
        events_->ListView1_OLEDragDrop(paths);
}

void ListView::dropped(HDROP drop)
{
    // A posted drop: its sender is not waiting for it.
    const std::vector<std::string> paths = DroppedPaths(drop);
    DragFinish(drop);
    // A drop of files offers a file list; the program still decides whether it takes it.
    if (dragOver(true))
        deliver(paths);
}

void ListView::showPendingRows() const
{
    const int total = files_ ? files_->count() : 0;
    if (total > shownRows_)
        setShownCount(total);
}

void ListView::setShownCount(int rows) const
{
    shownRows_ = rows;
    send(LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), LVSICF_NOSCROLL);
}

void ListView::rowsAppended(int, int)
{
    if (announcementPosted_)
        return;
    announcementPosted_ = PostMessageW(list_, kShowPendingRows, 0, 0) != FALSE;
}

void ListView::rowChanged(int row)
{
    showPendingRows();
    send(LVM_REDRAWITEMS, static_cast<WPARAM>(row - 1), row - 1);
}

void ListView::rowRemoved(int row)
{
    // An owner-data list view keeps selection by position: the selection moves with its row,
    // and goes with the removed row.
    const int selected = selectedRow();
    setShownCount(files_->count());
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    if (selected > row)
        selectRow(selected - 1);
    else if (selected != 0 && selected < row)
        selectRow(selected);
    InvalidateRect(list_, nullptr, TRUE);
}

void ListView::cleared()
{
    setShownCount(0);
}

}  // namespace pv
