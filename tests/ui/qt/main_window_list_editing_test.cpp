// Editing the file list through the real list view: mouse and key events go to its viewport
// as the user's would, and the program's own behaviour (Form1) answers them.

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app/form1.h"
#include "fakes/form_harness.h"
#include "ui/qt/main_window.h"

namespace pv::testing {
namespace {

class ListEditingWidgetTest : public ::testing::Test {
protected:
    ListEditingWidgetTest()
    {
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::blue);
        icon.save(folder.filePath("drag.ico"), "ICO");
        window.attachFileList(&form.fileList());
        window.setEvents(&form);
        window.listView().addColumn("PDF Files");
        window.listView().setColumnWidth(0, 7000);
        window.show();
        for (const char* path : {"A", "B", "C", "D"})
            form.fileList().append(path);
        QCoreApplication::processEvents();
    }

    ~ListEditingWidgetTest() override { window.attachFileList(nullptr); }

    QTreeView& view() { return *window.findChild<QTreeView*>(QStringLiteral("ListView1")); }
    QWidget& viewport() { return *view().viewport(); }
    QPoint onRow(int row) { return view().visualRect(view().model()->index(row - 1, 0)).center(); }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, viewport().mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&viewport(), &event);
    }
    void pressOn(int row) { mouse(QEvent::MouseButtonPress, onRow(row), Qt::LeftButton); }
    void moveOver(int row) { mouse(QEvent::MouseMove, onRow(row), Qt::LeftButton); }
    void release(int row) { mouse(QEvent::MouseButtonRelease, onRow(row), Qt::NoButton); }

    void key(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, qtKey, modifiers);
        QApplication::sendEvent(&view(), &event);
    }

    std::vector<std::string> rows() const
    {
        std::vector<std::string> result;
        for (int row = 1; row <= form.fileList().count(); ++row)
            result.push_back(form.fileList().text(row));
        return result;
    }
    int selectedRow() { return window.listView().selectedRow(); }

    QTemporaryDir folder;
    FakeServiceSet fakes;
    MainWindow window{[] {}};
    Form1 form{fakes.services, Form1Controls{window, window.listView(), window.comboBox(), window.progressBar()},
               ProgramConfig{folder.path().toStdString(), kTestSupportAddress, kTestHomePage}};
};

using Rows = std::vector<std::string>;

TEST_F(ListEditingWidgetTest, DraggingARowCarriesItsPathOneRowAtATimeAndBack)
{
    pressOn(1);
    moveOver(2);
    EXPECT_EQ(rows(), (Rows{"B", "A", "C", "D"}));
    EXPECT_EQ(selectedRow(), 2);
    moveOver(3);
    moveOver(4);
    EXPECT_EQ(rows(), (Rows{"B", "C", "D", "A"}));
    EXPECT_EQ(selectedRow(), 4);
    moveOver(3);
    EXPECT_EQ(rows(), (Rows{"B", "C", "A", "D"}));
    EXPECT_EQ(selectedRow(), 3);
    release(3);
    moveOver(1);
    EXPECT_EQ(rows(), (Rows{"B", "C", "A", "D"})) << "moves after the release change nothing";
}

TEST_F(ListEditingWidgetTest, AJumpSwapsOnlyTheTwoEnds)
{
    pressOn(1);
    moveOver(4);
    EXPECT_EQ(rows(), (Rows{"D", "B", "C", "A"}));
}

TEST_F(ListEditingWidgetTest, TheListShowsTheDragPointerUntilTheRelease)
{
    pressOn(2);
    EXPECT_EQ(viewport().cursor().shape(), Qt::BitmapCursor);
    release(2);
    EXPECT_EQ(viewport().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ListEditingWidgetTest, AnUnreadableDragIconLeavesThePointerAndRowsStillMove)
{
    QFile::remove(folder.filePath("drag.ico"));
    QFile text(folder.filePath("drag.ico"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not an icon\n");
    text.close();
    pressOn(1);
    EXPECT_NE(viewport().cursor().shape(), Qt::BitmapCursor);
    moveOver(2);
    EXPECT_EQ(rows(), (Rows{"B", "A", "C", "D"}));
    EXPECT_TRUE(fakes.boxes.shown.empty());
}

TEST_F(ListEditingWidgetTest, DeleteWithModifiersAndDoubleClickRemoveTheSelectedRow)
{
    pressOn(2);
    release(2);
    key(Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(rows(), (Rows{"A", "C", "D"}));
    mouse(QEvent::MouseButtonPress, onRow(3), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, onRow(3), Qt::NoButton);
    mouse(QEvent::MouseButtonDblClick, onRow(3), Qt::LeftButton);
    EXPECT_EQ(rows(), (Rows{"A", "C"}));
}

TEST_F(ListEditingWidgetTest, WithNothingSelectedDeleteAndDoubleClickDoNothing)
{
    view().clearSelection();
    key(Qt::Key_Delete);
    const QPoint below = onRow(4) + QPoint(0, 200);
    mouse(QEvent::MouseButtonDblClick, below, Qt::LeftButton);
    EXPECT_EQ(rows(), (Rows{"A", "B", "C", "D"}));
    EXPECT_TRUE(fakes.boxes.shown.empty());
}

TEST_F(ListEditingWidgetTest, ClearListEmptiesTheViewToo)
{
    window.findChild<QWidget*>(QStringLiteral("PushButton4"))->setFocus();
    form.PushButton4_Click();
    QCoreApplication::processEvents();
    EXPECT_EQ(view().model()->rowCount(), 0);
    pressOn(1);
    EXPECT_TRUE(rows().empty());
}

}  // namespace
}  // namespace pv::testing
