#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "failure/failure.h"
#include "platform/qt/open_dialog_text.h"
#include "platform/qt/qt_file_dialogs.h"

namespace pv::testing {
namespace {

using namespace std::string_literals;

TEST(OpenDialogText, FiltersMatchLikeWindowsPatterns)
{
    EXPECT_EQ(QtNameFilters("PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*"),
              (QStringList{"PDF Files (*.pdf) (*.[pP][dD][fF])", "All Files (*.*) (*)"}));
    EXPECT_EQ(QtNameFilters("Pictures|*.png;*.JPG"), QStringList{"Pictures (*.[pP][nN][gG] *.[jJ][pP][gG])"});
    EXPECT_TRUE(QtNameFilters("").isEmpty());
}

TEST(OpenDialogText, OneFileIsItsPathSeveralAreFolderAndNames)
{
    EXPECT_EQ(OpenDialogResult({}, 30000), "");
    EXPECT_EQ(OpenDialogResult({"/data/a b.pdf"}, 30000), "/data/a b.pdf");
    EXPECT_EQ(OpenDialogResult({"/data/b.pdf", "/data/a.pdf", "/data/c.PDF"}, 30000), "/data\0b.pdf\0a.pdf\0c.PDF"s);
    EXPECT_EQ(OpenDialogResult({"/a.pdf", "/b.pdf"}, 30000), "/\0a.pdf\0b.pdf"s);
    // A typed name elsewhere stays reachable from the folder.
    EXPECT_EQ(OpenDialogResult({"/data/a.pdf", "/other/x.pdf"}, 30000), "/data\0a.pdf\0../other/x.pdf"s);
}

TEST(OpenDialogText, TextLongerThanTheBufferFails)
{
    const QStringList chosen{"/data/" + QString(40, 'a'), "/data/" + QString(40, 'b')};
    const std::size_t length = 5 + 2 * 41;  // "/data" and two NUL-led names
    EXPECT_EQ(OpenDialogResult(chosen, length).size(), length);
    try {
        OpenDialogResult(chosen, length - 1);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), 20476);
    }
    EXPECT_THROW(OpenDialogResult({"/" + QString(30000, 'x')}, 30000), Failure);
    EXPECT_NO_THROW(OpenDialogResult({"/" + QString(29999, 'x')}, 30000));
}

TEST(OpenDialogText, FolderPickerPathsHaveNoTrailingSeparatorButTheRoot)
{
    EXPECT_EQ(FolderPickerResult(""), "");
    EXPECT_EQ(FolderPickerResult("/"), "/");
    EXPECT_EQ(FolderPickerResult("/home/user/"), "/home/user");
    EXPECT_EQ(FolderPickerResult("/home/user/My PDFs"), "/home/user/My PDFs");
}

// Runs `act` on the next modal file dialog, from the event loop.
void OnNextDialog(const std::function<void(QFileDialog&)>& act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

class QtFileDialogsTest : public ::testing::Test {
protected:
    QtFileDialogsTest()
    {
        for (const char* name : {"a.pdf", "b.PDF", "notes.txt"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        settings.title = "Add File(s) - Hold Ctrl to select multiple files";
        settings.filter = "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*";
        settings.flags = 0x280201;
    }

    std::string native(const char* name)
    {
        return QFile::encodeName(folder.filePath(QString::fromLatin1(name))).toStdString();
    }

    QTemporaryDir folder;
    QtFileDialogs dialogs;
    OpenFileDialogSettings settings;
};

TEST_F(QtFileDialogsTest, OpenDialogTakesSeveralFilesOrATypedNameThatDoesNotExist)
{
    QString title;
    QStringList filters;
    OnNextDialog([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filters = dialog.nameFilters();
        dialog.setDirectory(folder.path());
        dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText("\"b.PDF\" \"a.pdf\"");
        static_cast<QDialog&>(dialog).accept();
    });
    const std::string chosen = dialogs.showOpen(settings);
    EXPECT_EQ(title, "Add File(s) - Hold Ctrl to select multiple files");
    EXPECT_EQ(filters.size(), 2);
    EXPECT_EQ(chosen, QFile::encodeName(QDir(folder.path()).canonicalPath()).toStdString() + "\0b.PDF\0a.pdf"s);

    OnNextDialog([&](QFileDialog& dialog) {
        dialog.setDirectory(folder.path());
        dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText("typed.pdf");
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(dialogs.showOpen(settings),
              QFile::encodeName(QDir(folder.path()).canonicalPath() + "/typed.pdf").toStdString());

    OnNextDialog([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.showOpen(settings), "");
}

TEST_F(QtFileDialogsTest, FolderPickerReturnsTheChosenFolder)
{
    QString title;
    OnNextDialog([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        dialog.setDirectory(folder.path());
        dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(folder.path() + "/");
        static_cast<QDialog&>(dialog).accept();
    });
    const std::string chosen = dialogs.browseForFolder("Please select folder:");
    EXPECT_EQ(title, "Please select folder:");
    EXPECT_EQ(chosen, QFile::encodeName(QDir(folder.path()).canonicalPath()).toStdString());

    OnNextDialog([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.browseForFolder("Please select folder:"), "");
}

}  // namespace
}  // namespace pv::testing
