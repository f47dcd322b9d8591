// Every way of adding to the list, through the real window: its buttons are clicked and files
// are dropped on its list, while the dialogs, the message boxes and the file tree are fakes.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app/form1.h"
#include "fakes/form_harness.h"
#include "ui/qt/main_window.h"

namespace pv::testing {
namespace {

using namespace std::string_literals;
using Rows = std::vector<std::string>;

class AddActionsWidgetTest : public ::testing::Test {
protected:
    AddActionsWidgetTest()
    {
        FakeFileSystem& fs = fakes.fileSystem;
        fs.addFolder("/docs");
        fs.addFile("/docs/a.pdf");
        fs.addFile("/docs/B.PDF");
        fs.addFile("/docs/~lock.pdf");
        fs.addFile("/docs/notes.txt");
        fs.addFolder("/docs/sub");
        fs.addFile("/docs/sub/c.pdf");
        fs.addFolder(std::string(kTestProgramFolder) + "/Samples");
        fs.addFile(std::string(kTestProgramFolder) + "/Samples/s.pdf");
        window.attachFileList(&form.fileList());
        window.setEvents(&form);
        window.show();
        form.fileList().append("/old.pdf");
        QCoreApplication::processEvents();
    }

    ~AddActionsWidgetTest() override { window.attachFileList(nullptr); }

    void click(const char* button) { window.findChild<QPushButton*>(QString::fromLatin1(button))->click(); }

    void drop(const QByteArray& uriList)
    {
        QWidget& viewport = *window.findChild<QTreeView*>(QStringLiteral("ListView1"))->viewport();
        QMimeData data;
        data.setData("text/uri-list", uriList);
        const QPoint at(20, 20);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&viewport, &enter);
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&viewport, &dropped);
    }

    Rows rows() const
    {
        Rows result;
        for (int row = 1; row <= form.fileList().count(); ++row)
            result.push_back(form.fileList().text(row));
        return result;
    }

    FakeServiceSet fakes;
    MainWindow window{[] {}};
    Form1 form{fakes.services, Form1Controls{window, window.listView(), window.comboBox(), window.progressBar()},
               ProgramConfig{kTestProgramFolder, kTestSupportAddress, kTestHomePage}};
};

TEST_F(AddActionsWidgetTest, EveryAddActionAppendsAfterTheRowsAlreadyThere)
{
    fakes.dialogs.openResults = {"/docs\0a.pdf\0notes.txt"s, "/docs/a.pdf"s};
    click("PushButton1");
    click("PushButton1");
    fakes.dialogs.folderResults = {"/docs"s};
    click("PushButton3");
    fakes.boxes.answers = {BoxAnswer::No};
    click("PushButton5");
    drop("file:///docs/notes.txt\r\nfile:///docs/sub\r\n");

    const std::string samples = std::string(kTestProgramFolder) + "/Samples/s.pdf";
    EXPECT_EQ(rows(), (Rows{"/old.pdf", "/docs/a.pdf", "/docs/notes.txt", "/docs/a.pdf", "/docs/a.pdf", "/docs/B.PDF",
                            "/docs/sub/c.pdf", samples, "/docs/notes.txt", "/docs/sub/c.pdf"}));
    QCoreApplication::processEvents();  // the view is told of new rows when the event loop next runs
    EXPECT_EQ(window.findChild<QTreeView*>(QStringLiteral("ListView1"))->model()->rowCount(), 10);
    EXPECT_EQ(fakes.boxes.shown.size(), 1u) << "only the sample folder question";
}

TEST_F(AddActionsWidgetTest, TooManyFilesShowTheOverflowMessageAndAddNothing)
{
    fakes.dialogs.openResults = {Failure("The file name buffer is too small.", 20476)};
    click("PushButton1");
    EXPECT_EQ(rows(), Rows{"/old.pdf"});
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].text,
              "You've selected too many files to add.\r\rPlease try adding via the \"Add All\" button.");
}

// A subfolder that cannot be read lists nothing rather than failing: the folder's own files
// are added without a report, and the pointer comes back.
TEST_F(AddActionsWidgetTest, AddAllPassesOverAnUnreadableSubfolder)
{
    fakes.fileSystem.unreadableFolders = {"/docs/sub"};
    fakes.dialogs.folderResults = {"/docs"s};
    click("PushButton3");
    EXPECT_EQ(rows(), (Rows{"/old.pdf", "/docs/a.pdf", "/docs/B.PDF"}));
    EXPECT_TRUE(fakes.boxes.shown.empty());
    EXPECT_EQ(window.pointer(), PointerKind::Default);
}

}  // namespace
}  // namespace pv::testing
