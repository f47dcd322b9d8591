#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QTreeView>
#include <QUrl>

#include "failure/failure.h"
#include "ui/qt/file_list_model.h"
#include "window_fixture.h"

namespace pv::testing {
namespace {

class FileListViewTest : public WindowFixture {
protected:
    FileListViewTest()
    {
        window.listView().addColumn("PDF Files");
        window.listView().setColumnWidth(0, 7000);
    }

    QTreeView& view() { return *window.findChild<QTreeView*>(QStringLiteral("ListView1")); }
    QWidget& viewport() { return *view().viewport(); }
    QAbstractItemModel& model() { return *view().model(); }

    void appendRows(std::initializer_list<const char*> paths)
    {
        for (const char* path : paths)
            files.append(path);
        QCoreApplication::processEvents();
    }

    // A point on the left of the 1-based row, in viewport coordinates.
    QPoint onRow(int row) { return view().visualRect(model().index(row - 1, 0)).center() - QPoint(100, 0); }

    void sendMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, at, viewport().mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(&viewport(), &event);
    }

    static std::string mouse(const char* name, int button, int shift, QPoint at)
    {
        return std::string(name) + " " + std::to_string(button) + " " + std::to_string(shift) + " " +
               std::to_string(at.x()) + " " + std::to_string(at.y());
    }

    QStringList shownRows()
    {
        QStringList rows;
        for (int r = 0; r < model().rowCount(); ++r)
            rows << model().index(r, 0).data().toString();
        return rows;
    }
};

TEST_F(FileListViewTest, OneResizableColumnWiderThanTheListScrollsSideways)
{
    EXPECT_EQ(model().columnCount(), 1);
    EXPECT_EQ(model().headerData(0, Qt::Horizontal).toString(), "PDF Files");
    EXPECT_FALSE(view().isHeaderHidden());
    EXPECT_EQ(view().columnWidth(0), 467);
    EXPECT_FALSE(view().header()->stretchLastSection());
    EXPECT_EQ(view().header()->sectionResizeMode(0), QHeaderView::Interactive);
    EXPECT_FALSE(view().rootIsDecorated());
    EXPECT_EQ(view().selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(view().selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(view().editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(view().dragEnabled());
    EXPECT_EQ(view().toolTip().toStdString(),
              "Drag and drop files here. Double-click item to remove it. Move bar to right and out "
              "of window to reveal full names.");

    appendRows({"/a.pdf"});
    // The hint shows over the rows and over the empty space below them alike.
    for (const QPoint at : {onRow(1), QPoint(20, viewport().height() - 3)}) {
        QHelpEvent help(QEvent::ToolTip, at, viewport().mapToGlobal(at));
        QApplication::sendEvent(&viewport(), &help);
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text(), view().toolTip());
        QToolTip::hideText();
    }

    view().setColumnWidth(0, 2000);  // as when the user drags the column's edge
    QCoreApplication::processEvents();
    EXPECT_GT(view().horizontalScrollBar()->maximum(), 0);
    EXPECT_THROW(window.listView().setColumnWidth(1, 100), Failure);
}

TEST_F(FileListViewTest, ModelFollowsAppendsChangesRemovalsAndClearing)
{
    appendRows({"/d/a.pdf", "/d/b.pdf", "/d/c.pdf"});
    EXPECT_EQ(shownRows(), (QStringList{"/d/a.pdf", "/d/b.pdf", "/d/c.pdf"}));
    EXPECT_EQ(model().index(1, 0).data(Qt::AccessibleTextRole).toString(), "/d/b.pdf");

    files.setText(2, "/d/x.pdf");
    files.remove(1);
    EXPECT_EQ(shownRows(), (QStringList{"/d/x.pdf", "/d/c.pdf"}));

    // Rows appended and removed before the event loop turns: the view sees the same list.
    files.append("/d/e.pdf");
    files.append("/d/f.pdf");
    files.remove(4);
    files.append("/d/g.pdf");
    files.remove(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(shownRows(), (QStringList{"/d/c.pdf", "/d/e.pdf", "/d/g.pdf"}));

    files.clear();
    EXPECT_EQ(model().rowCount(), 0);
    files.append("/d/h.pdf");
    EXPECT_EQ(window.listView().selectedRow(), 0);  // asking the view shows pending rows at once
    EXPECT_EQ(model().rowCount(), 1);

    // Paths are bytes; a name that is not UTF-8 is shown as well as it can be.
    files.setText(1, "/d/caf\xe9.pdf");
    EXPECT_TRUE(shownRows().front().startsWith("/d/caf"));
}

TEST_F(FileListViewTest, SelectionScrollingAndHitTestInOneBasedRows)
{
    for (int i = 1; i <= 200; ++i)
        files.append("/f/" + std::to_string(i) + ".pdf");
    EXPECT_EQ(window.listView().selectedRow(), 0);
    window.listView().selectRow(150);  // before the event loop has turned
    EXPECT_EQ(window.listView().selectedRow(), 150);
    window.listView().ensureVisible(150);
    QCoreApplication::processEvents();
    const QRect shown = view().visualRect(model().index(149, 0));
    EXPECT_TRUE(viewport().rect().contains(shown.center()));
    EXPECT_EQ(window.listView().rowAt(shown.center().x(), shown.center().y()), 150);
    // The whole row counts, also beyond the end of a narrow column; outside the list nothing.
    view().setColumnWidth(0, 50);
    EXPECT_EQ(window.listView().rowAt(400, shown.center().y()), 150);
    const QPoint rightOfColumn(400, view().visualRect(model().index(148, 0)).center().y());
    QMouseEvent press(QEvent::MouseButtonPress, rightOfColumn, viewport().mapToGlobal(rightOfColumn), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&viewport(), &press);
    EXPECT_EQ(window.listView().selectedRow(), 149);
    EXPECT_EQ(events.callsStartingWith("ItemClick"), std::vector<std::string>{"ItemClick 149"});
    EXPECT_EQ(window.listView().rowAt(-5, shown.center().y()), 0);
    EXPECT_EQ(window.listView().rowAt(10, viewport().height() + 5), 0);
    EXPECT_THROW(window.listView().selectRow(201), Failure);
    EXPECT_THROW(window.listView().ensureVisible(0), Failure);

    files.clear();
    EXPECT_EQ(window.listView().rowAt(10, 5), 0);
}

TEST_F(FileListViewTest, MouseActionsReachTheProceduresWithOneBasedRows)
{
    appendRows({"/a", "/b", "/c"});
    const QPoint second = onRow(2), third = onRow(3);

    sendMouse(QEvent::MouseButtonPress, second, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(events.calls, (std::vector<std::string>{mouse("MouseDown", 1, 0, second), "ItemClick 2"}));
    EXPECT_EQ(window.listView().selectedRow(), 2);

    // With the button held the view leaves the selection to the program.
    events.calls.clear();
    sendMouse(QEvent::MouseMove, third, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(events.calls, std::vector<std::string>{mouse("MouseMove", 1, 0, third)});
    EXPECT_EQ(window.listView().selectedRow(), 2);

    events.calls.clear();
    sendMouse(QEvent::MouseButtonRelease, third, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(window.listView().selectedRow(), 2);
    sendMouse(QEvent::MouseMove, second, Qt::NoButton, Qt::NoButton);
    sendMouse(QEvent::MouseButtonDblClick, second, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(events.calls,
              (std::vector<std::string>{mouse("MouseUp", 1, 0, third), mouse("MouseMove", 0, 0, second), "DblClick"}));

    // Other buttons and the shift keys; a press below the rows clicks no row.
    events.calls.clear();
    const QPoint below(20, viewport().height() - 3);
    sendMouse(QEvent::MouseButtonPress, below, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier);
    sendMouse(QEvent::MouseButtonRelease, below, Qt::RightButton, Qt::NoButton);
    sendMouse(QEvent::MouseButtonPress, onRow(1), Qt::MiddleButton, Qt::MiddleButton, Qt::ControlModifier);
    EXPECT_EQ(events.calls, (std::vector<std::string>{mouse("MouseDown", 2, 5, below), mouse("MouseUp", 2, 0, below),
                                                      mouse("MouseDown", 4, 2, onRow(1)), "ItemClick 1"}));
}

TEST_F(FileListViewTest, KeysArriveWithWindowsCodesAndShiftBits)
{
    appendRows({"/a"});
    const auto press = [this](int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&view(), &event);
    };
    press(Qt::Key_Delete, Qt::NoModifier);
    press(Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier);
    press(Qt::Key_Delete, Qt::AltModifier);
    press(Qt::Key_A, Qt::NoModifier);
    press(Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"KeyDown 46 0", "KeyDown 46 3", "KeyDown 46 4", "KeyDown 65 0",
                                                      "KeyDown 40 0"}));
}

TEST_F(FileListViewTest, DropsOfFilesArriveInOrderAsNativeBytes)
{
    QMimeData data;
    data.setData("text/uri-list", "file:///tmp/b%20c.pdf\r\nfile:///tmp/caf%E9.pdf\r\nfile:///tmp/folder\r\n"
                                  "https://example.com/x.pdf\r\nfile://localhost/tmp/a.pdf\r\n");
    const QPoint at = onRow(1) + QPoint(0, 30);

    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&viewport(), &move);
    EXPECT_TRUE(move.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&viewport(), &drop);

    EXPECT_EQ(events.calls, (std::vector<std::string>{"DragOver files", "DragOver files", "DragDrop"}));
    ASSERT_EQ(events.drops.size(), 1u);
    EXPECT_EQ(events.drops[0],
              (std::vector<std::string>{"/tmp/b c.pdf", "/tmp/caf\xe9.pdf", "/tmp/folder", "/tmp/a.pdf"}));
}

TEST_F(FileListViewTest, DragsWithoutFilesAreRefused)
{
    QMimeData text;
    text.setText("just words");
    const QPoint at(20, 20);
    QDragEnterEvent enter(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    // Refused at the enter, the list is no drop target: moves and the drop never reach it.
    QDragMoveEvent move(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&viewport(), &move);
    EXPECT_FALSE(move.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&viewport(), &drop);
    EXPECT_EQ(events.calls, std::vector<std::string>{"DragOver none"});
    EXPECT_TRUE(events.drops.empty());

    // The procedure has the last word even over a file list.
    QMimeData localFiles;
    localFiles.setUrls({QUrl::fromLocalFile("/tmp/a.pdf")});
    events.acceptDrags = false;
    QDragEnterEvent refused(at, Qt::CopyAction, &localFiles, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&viewport(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(FileListViewTest, ListPointerShowsTheDragIconOrTheArrow)
{
    window.listView().showDragPointer(writeIcon("drag.ico"));
    EXPECT_EQ(viewport().cursor().shape(), Qt::BitmapCursor);
    EXPECT_THROW(window.listView().showDragPointer(folder.filePath("none.ico").toStdString()), Failure);
    EXPECT_EQ(viewport().cursor().shape(), Qt::BitmapCursor);
    window.listView().showArrowPointer();
    EXPECT_EQ(viewport().cursor().shape(), Qt::ArrowCursor);
    window.listView().disableOutwardDrag();
    EXPECT_FALSE(view().dragEnabled());
}

// How long the appends take is bench/list_view_rows.cpp's to measure.
TEST_F(FileListViewTest, HundredThousandAppendsWithTheViewShown)
{
    constexpr int kRows = 100000;
    for (int i = 0; i < kRows; ++i)
        files.append("/home/user/Documents/reports/2024/report-" + std::to_string(i) + ".pdf");
    QCoreApplication::processEvents();

    EXPECT_EQ(model().rowCount(), kRows);
    window.listView().ensureVisible(kRows);
    EXPECT_EQ(window.listView().selectedRow(), 0);
}

}  // namespace
}  // namespace pv::testing
