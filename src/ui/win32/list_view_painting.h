#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <utility>

#include "ui/win32/subclassed_control.h"

namespace pv {

// How ListView1 is drawn where the skin gives the list a look: its rows in the skin's colours
// (custom draw), the row under the mouse, the header row and its part right of the last
// column, and the list's border in the border colour (the focus colour, one pixel wider, while
// the list has the focus). Without such a look the list view draws itself in the system's
// colours. It draws what the list's procedure hands it.
class ListViewPainting {
public:
    explicit ListViewPainting(const SubclassedControl& list) : list_(list) {}
    ~ListViewPainting();
    ListViewPainting(const ListViewPainting&) = delete;
    ListViewPainting& operator=(const ListViewPainting&) = delete;

    // Takes the window's look again: the list view's colours, and the header's drawing.
    void lookChanged();
    // The list view's NM_CUSTOMDRAW (its owner's WM_NOTIFY).
    LRESULT rowDrawn(NMLVCUSTOMDRAW& draw) const;
    // A notification the list has from its header: NM_CUSTOMDRAW is drawn here.
    bool fromHeader(const NMHDR& header) const;
    LRESULT headerDrawn(NMCUSTOMDRAW& draw) const;
    // Whether the list's border is drawn here, after the list view's own frame (WM_NCPAINT).
    bool drawsBorder() const { return list_.look().drawsList; }
    void paintBorder() const;
    // The list gained or lost the focus, which its border shows.
    void focusChanged() const;
    // Lights up `row` under the mouse (0: none) of the list's `rows`.
    void hoverRow(int row, int rows);

private:
    static LRESULT CALLBACK headerProcedure(HWND header, UINT message, WPARAM w, LPARAM l);
    HWND header() const;
    void paintHeaderRestToo(bool paint);
    void paintHeaderRest() const;

    const SubclassedControl& list_;
    WNDPROC headerDefault_ = nullptr;
    // The background and text colours the list view was last told, once told any.
    std::optional<std::pair<COLORREF, COLORREF>> colours_;
    int hoveredRow_ = 0;
};

}  // namespace pv
