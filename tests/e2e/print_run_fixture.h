#pragma once

// The program as it runs on this machine, for whole print runs: the real window (offscreen),
// the real file system, processes, shell and CUPS, a private scheduler whose printers
// "office" (the default) and "label" write every job to a file, and the reader found below
// the program folder's libexec/Adobe. Only the message boxes, dialogs and settings are the
// test's.

#include <gtest/gtest.h>

#include <QTimer>

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "fakes/fake_services.h"
#include "platform/cups/cups_printers.h"
#include "platform/portable/standard_random.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_default_printer_guard.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_processes.h"
#include "platform/posix/posix_switch_record_store.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_shell.h"
#include "support/private_scheduler.h"
#include "ui/qt/main_window.h"

namespace pv::testing {

// The printer guard that the program's print runs start.
inline const std::string kGuardProgram = PRESSVALE_PROGRAM_FOLDER "/pressvale-guard";

// A Form1 in the real main window, loaded. `programFolder` is <prefix>/bin: the reader is
// looked for below <prefix>/libexec/Adobe. Closing the window ends the event loop, as in the
// program.
struct RealProgram {
    explicit RealProgram(const std::string& programFolder = PRESSVALE_PROGRAM_FOLDER);
    ~RealProgram();

    // Selects `printer` in the printer box, as a click on it would.
    void choosePrinter(const std::string& printer);
    // Clicks PushButton`number` of the window ("Start Printing" is 2, "Help" is 6).
    void click(int number);
    // The same click from inside the application's event loop, as the program takes it;
    // returns when the loop has ended (the window closed) and the click with it.
    void clickInTheEventLoop(int number);
    void addRows(const std::vector<std::filesystem::path>& paths);
    std::vector<std::string> boxTexts() const;

    MainWindow window;
    PosixFileSystem fileSystem;
    PosixProcesses processes;
    CupsPrinters printers;
    PosixSwitchRecordStore switchRecord{kGuardProgram};
    PosixDefaultPrinterGuard printerGuard{kGuardProgram, switchRecord};
    FakeSettingsStore settings;
    QtShell shell;
    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    QtEventPump eventPump;
    PosixClock clock;
    // Its fixed draw never opens the home page, which would report a failure here.
    FakeRandomSource random;
    Services services{fileSystem, processes, printers,  printerGuard, settings, shell,
                      boxes,      dialogs,   eventPump, clock,        random};
    Form1 form;
};

// Runs `action` once, from the window's event processing, as soon as `ready` holds.
class WhenReady {
public:
    WhenReady(std::function<bool()> ready, std::function<void()> action)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this, ready = std::move(ready), action = std::move(action)] {
            if (!ready())
                return;
            timer_.stop();
            action();
            done = true;
        });
        timer_.start(20);
    }

    bool done = false;

private:
    QTimer timer_;
};

// A print run against the private scheduler that the CTest fixture started, with a folder of
// documents of the test's own.
class PrintRunFixture : public PrivateSchedulerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A small PDF-like file in the documents folder whose bytes name `body`.
    std::filesystem::path addDocument(const std::string& name, const std::string& body);
    // The jobs a printer received, in the order the scheduler numbered them.
    std::vector<std::string> jobsOn(const std::string& printer);
    // The bytes of each file, in order: what a printer receives for them.
    static std::vector<std::string> contentsOf(const std::vector<std::filesystem::path>& files);

    // A program folder <folder>/bin whose reader, <folder>/libexec/Adobe/Reader/AcroRd32.exe,
    // is the given shell script. Removed with the documents.
    std::string programFolderWithReader(const std::string& script);

    std::filesystem::path documents;
    std::filesystem::path scratch;
};

// The processes whose parent is this one, by process id, but the printer guard.
std::vector<pid_t> ChildProcesses();

}  // namespace pv::testing
