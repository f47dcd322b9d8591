#include "list_actions/list_editing.h"

#include "base/guard.h"
#include "base/procedure_ids.h"
#include "failure/failure.h"
#include "window_contract/window_events.h"

namespace pv {
namespace {

// Screen lines (pixels from the top) above and below which a swap scrolls the list.
constexpr int kScrollUpBelowY = 305;
constexpr int kScrollDownFromY = 365;

}  // namespace

void ListEditing::ListView1_KeyDown(int keyCode, int /*shift*/)
{
    if (keyCode == kKeyDelete)
        removeSelectedRow();
}

void ListEditing::ListView1_DblClick()
{
    removeSelectedRow();
}

void ListEditing::removeSelectedRow()
{
    try {
        const int row = list_.selectedRow();
        if (row != 0)
            removeRow(row);
    } catch (const Failure&) {
        // Removing the selected row passes over every failure silently.
    }
}

void ListEditing::removeRow(int row)
{
    files_.remove(row);
    // The dragged path's row moves up with the rows below the removed one; when it is the
    // removed row itself, nothing holds the dragged path any more.
    if (row == dragRow_)
        dragRow_ = 0;
    else if (row < dragRow_)
        --dragRow_;
}

void ListEditing::PushButton4_Click()
{
    Guard guard(procedure_id::kClearList, reports_);
    guard.step(100, [&] {
        files_.clear();
        dragRow_ = 0;
    });
}

void ListEditing::ListView1_ItemClick()
{
    try {
        list_.showDragPointer(dragIconFile_);
    } catch (const Failure&) {
        // Without a usable drag icon the list keeps its own pointer.
    }
    list_.disableOutwardDrag();
    dragRow_ = list_.selectedRow();
}

void ListEditing::ListView1_MouseDown()
{
    listMouseDown_ = true;
}

void ListEditing::ListView1_MouseUp()
{
    listMouseDown_ = false;
    list_.showArrowPointer();
}

void ListEditing::ListView1_MouseMove(int x, int y)
{
    if (window_.pointer() != PointerKind::Busy)
        window_.setPointer(PointerKind::Default);
    if (!listMouseDown_)
        return;
    const int hitRow = list_.rowAt(x, y);
    if (hitRow == 0 || dragRow_ == 0 || files_.text(hitRow) == files_.text(dragRow_))
        return;
    swapWithDragRow(hitRow);
}

void ListEditing::swapWithDragRow(int hitRow)
{
    std::string dragged = files_.text(dragRow_);
    files_.setText(dragRow_, files_.text(hitRow));
    files_.setText(hitRow, std::move(dragged));
    list_.selectRow(hitRow);
    dragRow_ = hitRow;
    scrollTowardsCursor(hitRow);
}

void ListEditing::scrollTowardsCursor(int hitRow)
{
    const int cursorY = window_.cursorPosition().y;
    if (cursorY < kScrollUpBelowY) {
        if (hitRow > 1)
            list_.ensureVisible(hitRow - 1);
    } else if (cursorY >= kScrollDownFromY) {
        if (hitRow + 1 <= files_.count())
            list_.ensureVisible(hitRow + 1);
    }
}

}  // namespace pv
