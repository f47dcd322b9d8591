// Memory of the file list through many fills: the real window (offscreen) is filled with a
// long list, one row is dragged down over many others with the mouse button held, and the
// list is cleared, round after round. Prints the heap in use after each round and what each
// row costs while the list is full.
//
//   bench_list_memory [--rows N] [--rounds R] [--drag D] [--check BYTES]
//
// Defaults: 100000 rows, 10 rounds, a drag over 2000 rows. With --check the program fails
// (exit 1) when the heap after the last round exceeds the heap after round 2 by more than
// BYTES; the heap is measured, time is not.

#include <malloc.h>

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/form1.h"
#include "fakes/fake_services.h"
#include "platform/cups/cups_printers.h"
#include "platform/portable/standard_random.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_processes.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_shell.h"
#include "ui/qt/main_window.h"

namespace {

struct Options {
    int rows = 100'000;
    int rounds = 10;
    int drag = 2'000;
    long long checkMargin = -1;  // no check
};

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const long long value = std::atoll(argv[i + 1]);
        if (std::strcmp(argv[i], "--rows") == 0)
            options.rows = static_cast<int>(value);
        else if (std::strcmp(argv[i], "--rounds") == 0)
            options.rounds = static_cast<int>(value);
        else if (std::strcmp(argv[i], "--drag") == 0)
            options.drag = static_cast<int>(value);
        else if (std::strcmp(argv[i], "--check") == 0)
            options.checkMargin = value;
    }
    return options;
}

// Bytes the program holds on the heap, small blocks and mapped ones together.
long long HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

// The main window with the program's own behaviour behind it, as the program starts it (the
// printer box left empty: nothing here prints).
class Program {
public:
    Program()
        : form_(services_, pv::Form1Controls{window_, window_.listView(), window_.comboBox(), window_.progressBar()},
                pv::ProgramConfig{"/nonexistent", "help@pressvale.test", "https://pressvale.test/"})
    {
        window_.attachFileList(&form_.fileList());
        window_.setEvents(&form_);
        window_.listView().addColumn("PDF Files");
        window_.show();
        QCoreApplication::processEvents();
    }
    ~Program()
    {
        window_.setEvents(nullptr);
        window_.attachFileList(nullptr);
    }

    void fill(int rows)
    {
        char path[64];
        for (int row = 1; row <= rows; ++row) {
            std::snprintf(path, sizeof path, "/home/user/Documents/Invoices/invoice-%06d.pdf", row);
            form_.fileList().append(path);
        }
        QCoreApplication::processEvents();
    }

    // Presses on row 1 and moves down over `rows` rows with the button held, the pointer low
    // on the screen so that the list scrolls along as the row is carried down.
    void dragFirstRowDown(int rows)
    {
        QCursor::setPos(200, 600);
        mouse(QEvent::MouseButtonPress, centreOf(1), Qt::LeftButton, Qt::LeftButton);
        for (int row = 2; row <= rows + 1; ++row) {
            mouse(QEvent::MouseMove, centreOf(row), Qt::NoButton, Qt::LeftButton);
            if (row % 100 == 0)
                QCoreApplication::processEvents();
        }
        mouse(QEvent::MouseButtonRelease, centreOf(rows + 1), Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();
    }

    void clickClearList()
    {
        window_.findChild<QPushButton*>(QStringLiteral("PushButton4"))->click();
        QCoreApplication::processEvents();
    }

    int rowCount() const { return form_.fileList().count(); }
    const std::string& row(int number) const { return form_.fileList().text(number); }

private:
    QTreeView& view() { return *window_.findChild<QTreeView*>(QStringLiteral("ListView1")); }

    QPoint centreOf(int row)
    {
        const QModelIndex index = view().model()->index(row - 1, 0);
        view().scrollTo(index);  // only if the program's own scrolling left it out of sight
        return view().visualRect(index).center();
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QWidget& viewport = *view().viewport();
        QMouseEvent event(type, at, viewport.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&viewport, &event);
    }

    pv::PosixFileSystem fileSystem_;
    pv::PosixProcesses processes_;
    pv::CupsPrinters printers_;
    // No run is started: the guard is never armed.
    pv::testing::FakePrinters guardPrinters_;
    pv::testing::FakeDefaultPrinterGuard printerGuard_{guardPrinters_};
    pv::QtSettingsStore settings_;
    pv::QtShell shell_;
    pv::QtMessageBoxes boxes_;
    pv::QtFileDialogs dialogs_;
    pv::QtEventPump eventPump_;
    pv::PosixClock clock_;
    pv::StandardRandomSource random_;
    pv::Services services_{fileSystem_, processes_, printers_,  printerGuard_, settings_, shell_,
                           boxes_,      dialogs_,   eventPump_, clock_,        random_};
    pv::MainWindow window_{[] {}};
    pv::Form1 form_;
};

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const Options options = ParseOptions(argc, argv);
    QApplication application(argc, argv);
    Program program;

    std::printf("rows %d, drag over %d rows, %d rounds\n", options.rows, options.drag, options.rounds);
    std::printf("%5s %16s %16s %12s\n", "round", "heap full (B)", "heap after (B)", "B per row");
    long long afterRound2 = 0;
    long long afterLast = 0;
    for (int round = 1; round <= options.rounds; ++round) {
        const long long before = HeapInUse();
        program.fill(options.rows);
        program.dragFirstRowDown(options.drag);
        const long long full = HeapInUse();
        if (program.rowCount() != options.rows ||
            program.row(options.drag + 1).find("invoice-000001") == std::string::npos) {
            std::fprintf(stderr, "the drag did not carry row 1 down to row %d\n", options.drag + 1);
            return 2;
        }
        program.clickClearList();
        const long long after = HeapInUse();
        std::printf("%5d %16lld %16lld %12.1f\n", round, full, after,
                    static_cast<double>(full - before) / options.rows);
        if (round == 2)
            afterRound2 = after;
        afterLast = after;
    }

    if (options.checkMargin >= 0 && options.rounds >= 2) {
        const long long growth = afterLast - afterRound2;
        std::printf("growth from round 2 to round %d: %lld B (allowed %lld B)\n", options.rounds, growth,
                    options.checkMargin);
        if (growth > options.checkMargin)
            return 1;
    }
    return 0;
}
