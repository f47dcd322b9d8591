// The real window started on the real file system and settings store when the files beside
// the program or the settings file are damaged. Each damaged file is reported where the load
// procedure meets it, or passed over in silence where nothing reports, and the window still
// starts and works. Printers, dialogs and message boxes are fakes: no printer is touched.

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <random>

#include "app/form1.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_services.h"
#include "fakes/form_harness.h"
#include "platform/posix/posix_file_system.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_settings_store.h"
#include "ui/qt/main_window.h"

namespace pv::testing {
namespace {

// The files the build lays out beside the program, from the source tree.
QString ShippedFile(const char* relative)
{
    return QString::fromStdString((std::filesystem::path(PRESSVALE_PROGRAM_ASSETS) / relative).string());
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The same bytes on every run, so that a failure can be repeated.
QByteArray RandomBytes(int count, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

// "cut in half" as "CutInHalf", for the names of parameterised tests.
std::string TestName(const std::string& words)
{
    std::string name;
    bool capital = true;
    for (const char c : words) {
        if (c == ' ') {
            capital = true;
            continue;
        }
        name += capital ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        capital = false;
    }
    return name;
}

class CorruptFilesTest : public ::testing::Test {
protected:
    CorruptFilesTest()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
        EXPECT_TRUE(QDir(program.path()).mkdir("x"));
        for (const char* file : {"HAND-M.CUR", "drag.ico", "x/o.cjs"})
            EXPECT_TRUE(QFile::copy(ShippedFile(file), program.filePath(file))) << file;
        printers.names = {"office", "label"};
        printers.defaultName = "office";
        window.attachFileList(&form.fileList());
        window.setEvents(&form);
    }

    ~CorruptFilesTest() override { window.attachFileList(nullptr); }

    // Puts a damaged file in the place of the shipped one beside the program.
    void spoil(const char* relative, const std::string& damage)
    {
        const QString path = program.filePath(relative);
        const QByteArray shipped = ReadAll(ShippedFile(relative));
        if (QFileInfo(path).isDir())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
        if (damage == "a named pipe") {
            // Opening a pipe for reading waits for a writer, unless the reader takes care.
            ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            return;
        }
        if (damage == "a folder") {
            ASSERT_TRUE(QDir().mkdir(path));
            return;
        }
        QByteArray content;
        if (damage == "truncated")
            content = shipped.left(shipped.size() - 1);
        else if (damage == "cut in half")
            content = shipped.left(shipped.size() / 2);
        else if (damage == "text")
            content = "this is not a picture\n";
        else if (damage == "random bytes")
            content = RandomBytes(static_cast<int>(shipped.size()), 7);
        else
            ASSERT_EQ(damage, "empty");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QString settingsFile() const { return config.filePath("Quillmark.ini"); }
    void writeSettings(const QByteArray& content)
    {
        QFile file(settingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    // The settings file's bytes and those of every copy kept beside it.
    std::vector<QByteArray> settingsAndKeptCopies() const
    {
        std::vector<QByteArray> contents{ReadAll(settingsFile())};
        for (const QString& copy : QDir(config.path()).entryList({"Quillmark.ini.corrupt-*"}, QDir::Files))
            contents.push_back(ReadAll(config.filePath(copy)));
        return contents;
    }

    // What the program's start does: the load procedure, then the window is shown.
    void start()
    {
        form.Form_Load();
        window.show();
        QCoreApplication::processEvents();
    }

    // The load procedure's line of each error report shown, in order; -1 for any other box.
    std::vector<int> reportedLoadLines() const
    {
        static const QRegularExpression kLoadLine(
            QStringLiteral("^.*\r\nin Pagevane2/11/2015\\.Form1\\.Form_Load at line (\\d+)\r\rPlease email "
                           "screenshot of this message to help@pressvale\\.test$"),
            QRegularExpression::DotMatchesEverythingOption);
        std::vector<int> lines;
        for (const FakeMessageBoxes::Box& box : boxes.shown) {
            const QRegularExpressionMatch match = kLoadLine.match(QString::fromStdString(box.text));
            const bool report = box.title == "Application Error" && box.icon == BoxIcon::Exclamation;
            lines.push_back(report && match.hasMatch() ? match.captured(1).toInt() : -1);
        }
        return lines;
    }

    // The window came up whole: caption, list column and the printers.
    void expectStarted()
    {
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.windowTitle(), "Pressvale");
        EXPECT_EQ(listView().model()->headerData(0, Qt::Horizontal).toString(), "PDF Files");
        ASSERT_EQ(window.comboBox().count(), 2);
        EXPECT_EQ(window.comboBox().item(1), "label");
    }

    QTreeView& listView() { return *window.findChild<QTreeView*>(QStringLiteral("ListView1")); }
    QWidget& button(int number) { return *window.findChild<QPushButton*>(QStringLiteral("PushButton%1").arg(number)); }

    void send(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButtons held)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    }
    QPoint onRow(int row) { return listView().visualRect(listView().model()->index(row - 1, 0)).center(); }
    // The shape the pointer takes over a button.
    Qt::CursorShape pointerOverButtons()
    {
        send(button(1), QEvent::MouseMove, QPoint(5, 5), Qt::NoButton);
        return window.cursor().shape();
    }

    std::vector<std::string> rows() const
    {
        std::vector<std::string> result;
        for (int row = 1; row <= form.fileList().count(); ++row)
            result.push_back(form.fileList().text(row));
        return result;
    }

    QTemporaryDir program;
    QTemporaryDir config;
    PosixFileSystem fileSystem;
    FakeProcesses processes;
    FakePrinters printers;
    FakeDefaultPrinterGuard printerGuard{printers};
    QtSettingsStore settings;
    FakeShell shell;
    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    QtEventPump pump;
    FakeClock clock;
    FakeRandomSource random;
    Services services{fileSystem, processes, printers, printerGuard, settings, shell,
                      boxes,      dialogs,   pump,     clock,        random};
    MainWindow window{[] {}};
    Form1 form{services, Form1Controls{window, window.listView(), window.comboBox(), window.progressBar()},
               ProgramConfig{QFile::encodeName(program.path()).toStdString(), kTestSupportAddress, kTestHomePage}};
};

using Rows = std::vector<std::string>;

TEST_F(CorruptFilesTest, TheShippedFilesStartWithoutAReport)
{
    start();
    EXPECT_TRUE(boxes.shown.empty());
    expectStarted();
    EXPECT_EQ(pointerOverButtons(), Qt::BitmapCursor);
    EXPECT_EQ(window.comboBox().text(), "office");
}

class HandCursorDamage : public CorruptFilesTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(HandCursorDamage, IsReportedAtLine106AndTheLoadGoesOn)
{
    spoil("HAND-M.CUR", GetParam());
    start();
    EXPECT_EQ(reportedLoadLines(), std::vector<int>{106});
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown[0].text.substr(0, 17), "Invalid picture\r\n");
    expectStarted();
    EXPECT_EQ(pointerOverButtons(), Qt::ArrowCursor);
}

INSTANTIATE_TEST_SUITE_P(CorruptFiles, HandCursorDamage,
                         ::testing::Values("cut in half", "empty", "random bytes", "a named pipe", "a folder"),
                         [](const ::testing::TestParamInfo<std::string>& test) { return TestName(test.param); });

TEST_F(CorruptFilesTest, RandomBytesAsSkinAreReportedAtLine100AndTheLoadGoesOnAt102)
{
    spoil("x/o.cjs", "random bytes");
    start();
    EXPECT_EQ(reportedLoadLines(), std::vector<int>{100});
    expectStarted();
    // Line 102 centred the window (the frame the platform adds at showing moves the centre
    // by a pixel or two); the background changed before the skin was read stays.
    const QRect screen = window.screen()->geometry();
    EXPECT_LE((window.frameGeometry().center() - screen.center()).manhattanLength(), 4);
    EXPECT_NE(window.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(pointerOverButtons(), Qt::BitmapCursor);
}

TEST_F(CorruptFilesTest, ASkinNamedInCapitalsIsLoadedWhole)
{
    ASSERT_TRUE(QFile::rename(program.filePath("x/o.cjs"), program.filePath("x/O.CJS")));
    start();
    EXPECT_TRUE(boxes.shown.empty());
    expectStarted();
    EXPECT_NE(window.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(window.styleSheet().isEmpty()) << "the skin found was not the one loaded";
}

TEST_F(CorruptFilesTest, EveryDamagedFileAtOnceGivesOneReportEachInLoadOrder)
{
    spoil("HAND-M.CUR", "cut in half");
    spoil("x/o.cjs", "random bytes");
    spoil("drag.ico", "text");
    writeSettings(RandomBytes(4096, 42));
    start();
    EXPECT_EQ(reportedLoadLines(), (std::vector<int>{100, 106}));
    expectStarted();
}

TEST_F(CorruptFilesTest, ADragIconThatCannotBeLoadedIsPassedOverAndRowsStillMove)
{
    start();
    for (const char* path : {"A", "B", "C"})
        form.fileList().append(path);
    QCoreApplication::processEvents();
    QWidget& viewport = *listView().viewport();
    const Qt::CursorShape ownPointer = viewport.cursor().shape();
    Rows expected = rows();
    for (const char* damage : {"text", "truncated", "random bytes", "empty", "a named pipe", "a folder"}) {
        SCOPED_TRACE(damage);
        spoil("drag.ico", damage);
        send(viewport, QEvent::MouseButtonPress, onRow(1), Qt::LeftButton);
        EXPECT_EQ(viewport.cursor().shape(), ownPointer);
        send(viewport, QEvent::MouseMove, onRow(2), Qt::LeftButton);
        send(viewport, QEvent::MouseButtonRelease, onRow(2), Qt::NoButton);
        std::swap(expected[0], expected[1]);
        EXPECT_EQ(rows(), expected);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

// Settings the program cannot use, and what the printer box shows after the start.
struct UnusableSettings {
    const char* name;
    QByteArray content;
    std::string chosenPrinter;
};

void PrintTo(const UnusableSettings& settings, std::ostream* out)
{
    *out << settings.name;
}

class SettingsDamage : public CorruptFilesTest, public ::testing::WithParamInterface<UnusableSettings> {};

// The window starts without a word about the settings, and the user's file is never lost:
// where the program writes the settings, the damaged bytes are kept in a copy beside them.
TEST_P(SettingsDamage, StartTheWindowSilentlyAndAreNotLost)
{
    const QByteArray original = GetParam().content;
    writeSettings(original);
    start();
    EXPECT_TRUE(boxes.shown.empty());
    expectStarted();
    EXPECT_EQ(window.comboBox().text(), GetParam().chosenPrinter);
    const std::vector<QByteArray> kept = settingsAndKeptCopies();
    EXPECT_NE(std::find(kept.begin(), kept.end(), original), kept.end());
}

INSTANTIATE_TEST_SUITE_P(
    CorruptFiles, SettingsDamage,
    ::testing::Values(
        // Nothing readable is stored: as at a first start, the default printer is chosen,
        // and storing that choice rewrites the file.
        UnusableSettings{"random bytes", RandomBytes(4096, 42), "office"},
        UnusableSettings{"a position below the first", "[Pressvale]\nCombo1=-1\n", ""},
        UnusableSettings{"a position beyond any whole number", "[Pressvale]\nCombo1=99999999999999999999\n", ""}),
    [](const ::testing::TestParamInfo<UnusableSettings>& test) { return TestName(test.param.name); });

}  // namespace
}  // namespace pv::testing
