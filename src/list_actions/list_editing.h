#pragma once

#include <string>

#include "base/error_reports.h"
#include "file_list/file_list.h"
#include "window_contract/window_controls.h"

namespace pv {

// Editing the file list after files were added: removing the selected row (Delete key or a
// double-click), clearing the list, and reordering by pressing on a row and moving over
// others, which carries its path along by two-row swaps.
class ListEditing {
public:
    ListEditing(FileList& files, ListViewControl& list, WindowSurface& window, ErrorReports& reports,
                std::string dragIconFile)
        : files_(files),
          list_(list),
          window_(window),
          reports_(reports),
          dragIconFile_(std::move(dragIconFile))
    {}

    void ListView1_KeyDown(int keyCode, int shift);
    void ListView1_DblClick();
    void PushButton4_Click();
    void ListView1_ItemClick();
    void ListView1_MouseDown();
    void ListView1_MouseMove(int x, int y);
    void ListView1_MouseUp();

private:
    void removeSelectedRow();
    void removeRow(int row);
    void swapWithDragRow(int hitRow);
    void scrollTowardsCursor(int hitRow);

    FileList& files_;
    ListViewControl& list_;
    WindowSurface& window_;
    ErrorReports& reports_;
    std::string dragIconFile_;
    // From a press over the list until the next release.
    bool listMouseDown_ = false;
    // The row that holds the dragged path, or 0 when there is none or it was removed.
    int dragRow_ = 0;
};

}  // namespace pv
