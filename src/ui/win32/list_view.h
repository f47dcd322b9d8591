#pragma once

#include <windows.h>

#include "file_list/file_list.h"
#include "platform/win32_support/owned.h"
#include "ui/win32/drop_target.h"
#include "ui/win32/list_view_painting.h"
#include "ui/win32/subclassed_control.h"
#include "ui/win32/window_look.h"
#include "window_contract/window_controls.h"

namespace pv {

class MainWindowEvents;

// ListView1: a WC_LISTVIEW in report view over the file list (LVS_OWNERDATA: the list view
// holds only a row count and asks for the text of the rows it shows). The user's mouse, key
// and drop actions are handed to the window's event procedures; the list itself only selects
// the row pressed on, moves the current row with the keys and scrolls. Where the skin gives
// the list a look, ListViewPainting draws it; WindowDrops takes the drops.
//
// Appends are gathered and the new count told to the list view when the window's messages
// are next handled, or earlier when anyone asks about rows, as a count per append would cost
// far more than the append itself.
class ListView final : public ListViewControl, public SubclassedControl, private FileList::Observer {
public:
    ListView(HWND list, const WindowLook& look);
    ~ListView() override;

    void setEvents(MainWindowEvents* events) { events_ = events; }
    // Shows the rows of `files`; nullptr detaches.
    void attach(FileList* files);
    // Takes the window's look again (after a skin or a change of scale): the rows' colours,
    // the border, and the column widths for the look's dots per inch.
    void lookChanged(int previousDpi);
    // The owner's WM_NOTIFY from the list view: its rows' texts and their drawing.
    std::optional<LRESULT> notified(UINT message, WPARAM w, LPARAM l) override;

    void addColumn(const std::string& header) override;
    void setColumnWidth(int column, double twips) override;
    int selectedRow() const override;
    void selectRow(int row) override;
    void ensureVisible(int row) override;
    int rowAt(int x, int y) const override;
    void showDragPointer(const std::string& iconFile) override;
    void showArrowPointer() override;
    void disableOutwardDrag() override;

private:
    LRESULT onMessage(UINT message, WPARAM w, LPARAM l) override;
    void pressed(UINT message, LPARAM at);
    void captureLost();
    void refreshDragPointer() const;

    void rowsAppended(int firstRow, int lastRow) override;
    void rowChanged(int row) override;
    void rowRemoved(int row) override;
    void cleared() override;

    // Tells the list view rows appended since it last knew the count.
    void showPendingRows() const;
    void setShownCount(int rows) const;
    void checkRow(int row) const;

    // The list's tool tip, made on the message loop's first turn. Its owner is the main window,
    // which destroys it first when it is destroyed; the list destroys it only when it goes
    // while its window is still there.
    HWND tip_ = nullptr;
    ListViewPainting painting_;
    WindowDrops drops_;
    FileList* files_ = nullptr;
    MainWindowEvents* events_ = nullptr;
    int columns_ = 0;
    mutable int shownRows_ = 0;
    bool announcementPosted_ = false;
    win32::OwnedCursor dragCursor_;
    // The button of a press on the list, while the list holds the pointer for it; else 0.
    int heldButton_ = 0;
    std::wstring shownText_;  // the text handed out in the last LVN_GETDISPINFO
};

}  // namespace pv
