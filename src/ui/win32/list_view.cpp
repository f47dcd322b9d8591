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
#include "window_contract/control_failures.h"
#include "window_contract/window_events.h"

namespace pv {

namespace {

// Posted to the list itself: tell the list view the rows appended meanwhile; hand the next
// drop's names to the window's procedures; take drops and show the tool tip.
constexpr UINT kShowPendingRows = WM_APP + 1;
constexpr UINT kDeliverDrop = WM_APP + 2;
constexpr UINT kFirstTurn = WM_APP + 3;
constexpr int kDefaultColumnPixels = 100;
constexpr int kTipWidthPixels = 320;

// The list's one hint for all its rows, as a tool tip over the whole list.
HWND MakeToolTip(HWND list)
{
    HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, GetParent(list), nullptr, GetModuleHandleW(nullptr), nullptr);
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
    : SubclassedControl(list, look),
      painting_(*this),
      drops_([this](bool offersFileList) { return events_ && events_->ListView1_OLEDragOver(offersFileList); },
             [this](const std::vector<std::string>& paths) {
                 if (events_)
                     events_->ListView1_OLEDragDrop(paths);
             })
{
    send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    // Drags from other programs reach the drop target; senders that only post WM_DROPFILES
    // are taken too. Without OLE on this thread only the latter arrive. Drops are taken, and
    // the tool tip made, from when the message loop runs: registering the drop target starts
    // OLE's inter-process calls, the shell's library is loaded on first use, and the tool tip
    // is a window of its own, all of which would hold up the window's first showing.
    post(kFirstTurn);
}

ListView::~ListView()
{
    attach(nullptr);
    // A close has destroyed the list, its header and its tool tip already, and taken its drops
    // back (WM_DESTROY); the painting puts the header's own procedure back while it is there.
    if (!handle())
        return;
    drops_.refuse();
    if (tip_)
        DestroyWindow(tip_);
}

void ListView::attach(FileList* files)
{
    if (files_)
        files_->setObserver(nullptr);
    files_ = files;
    if (files_)
        files_->setObserver(this);
    // The list view is told the count only when it shows another: at the start it shows no
    // rows, as an empty list has, and telling it so again lays its scroll bars out anew.
    const int rows = files_ ? files_->count() : 0;
    if (rows != shownRows_ || rows != static_cast<int>(send(LVM_GETITEMCOUNT)))
        setShownCount(rows);
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
    send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(TwipsToPixels(twips, look().dpi), 0));
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
    GetClientRect(handle(), &client);
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
    ShowPointerAgain(GetAncestor(handle(), GA_ROOT));
}

void ListView::refreshDragPointer() const
{
    // While the list holds the mouse Windows asks nobody for a pointer: the drag sets its own.
    if (dragCursor_.valid() && GetCapture() == handle())
        SetCursor(dragCursor_.get());
}

void ListView::disableOutwardDrag()
{
    // Presses are handled here and never reach the list view's own drag detection, so the
    // list never starts a drag out of itself.
}

void ListView::lookChanged(int previousDpi)
{
    if (previousDpi != look().dpi) {
        for (int column = 0; column < columns_; ++column) {
            const auto width = static_cast<int>(send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
            send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                 MAKELPARAM(MulDiv(width, look().dpi, previousDpi), 0));
        }
    }
    painting_.lookChanged();
}

std::optional<LRESULT> ListView::notified(UINT message, WPARAM, LPARAM l)
{
    if (message != WM_NOTIFY)
        return std::nullopt;
    const NMHDR& header = *reinterpret_cast<const NMHDR*>(l);
    if (header.code == NM_CUSTOMDRAW)
        return painting_.rowDrawn(reinterpret_cast<NMLVCUSTOMDRAW&>(const_cast<NMHDR&>(header)));
    if (header.code != LVN_GETDISPINFOW)
        return 0;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item;
    if (!(item.mask & LVIF_TEXT) || !files_ || item.iItem < 0 || item.iItem >= files_->count() || item.cchTextMax <= 0)
        return 0;
    shownText_ = win32::Wide(files_->text(item.iItem + 1));
    const std::size_t length = std::min(shownText_.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(shownText_.data(), length, item.pszText);
    item.pszText[length] = L'\0';
    return 0;
}

LRESULT ListView::onMessage(UINT message, WPARAM w, LPARAM l)
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
        painting_.hoverRow(rowAt(x, y), shownRows_);
        break;
    case WM_MOUSELEAVE:
        painting_.hoverRow(0, shownRows_);
        break;
    case WM_NOTIFY:
        if (painting_.fromHeader(*reinterpret_cast<NMHDR*>(l)))
            return painting_.headerDrawn(*reinterpret_cast<NMCUSTOMDRAW*>(l));
        break;
    case WM_NCPAINT:
        if (painting_.drawsBorder()) {
            passOn(message, w, l);
            painting_.paintBorder();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        painting_.focusChanged();
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
        drops_.takePosted(reinterpret_cast<HDROP>(w));
        return 0;
    case kShowPendingRows:
        announcementPosted_ = false;
        showPendingRows();
        return 0;
    case kDeliverDrop:
        drops_.deliverNext();
        return 0;
    case kFirstTurn:
        drops_.accept(handle(), kDeliverDrop);
        tip_ = MakeToolTip(handle());
        return 0;
    case WM_DESTROY:
        drops_.refuse();
        break;
    default:
        break;
    }
    return passOn(message, w, l);
}

void ListView::pressed(UINT message, LPARAM at)
{
    const int x = GET_X_LPARAM(at);
    const int y = GET_Y_LPARAM(at);
    const int button = MessageButton(message);
    if (events_)
        events_->ListView1_MouseDown(button, ShiftBitsNow(), x, y);
    SetFocus(handle());
    SetCapture(handle());
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
    ScreenToClient(handle(), &at);
    if (events_)
        events_->ListView1_MouseUp(button, ShiftBitsNow(), at.x, at.y);
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
    announcementPosted_ = post(kShowPendingRows);
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
    InvalidateRect(handle(), nullptr, TRUE);
}

void ListView::cleared()
{
    setShownCount(0);
}

}  // namespace pv
