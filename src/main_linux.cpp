// Pressvale: prints many PDF files in one go. Wires the program's behaviour (Form1) to the
// Qt window and the Linux services, runs the load procedure and shows the window.

#include <QFile>

#include "app/form1.h"
#include "build_config.h"
#include "platform/cups/cups_printers.h"
#include "platform/portable/early_printers.h"
#include "platform/portable/standard_random.h"
#include "platform/posix/exit_deadline.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_default_printer_guard.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_processes.h"
#include "platform/posix/posix_switch_record_store.h"
#include "platform/qt/exit_hook.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/termination_signals.h"
#include "ui/qt/application.h"
#include "ui/qt/early_font_configuration.h"
#include "ui/qt/main_window.h"

namespace {

// Builds the window and the program's behaviour behind it, runs them until the window closes
// and tears them down; returns the event loop's exit status.
int RunWindow()
{
    // The start-up's printer questions go to the print system while the window is built.
    // Only now: Qt has set the locale again as it started, and CUPS reads it.
    pv::CupsPrinters cupsPrinters;
    const std::string programFolder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    // A run that ended without putting the default back (a power cut, a kill of the program and
    // its guard) left its record: acted on, silently, before the window shows.
    pv::PosixSwitchRecordStore switchRecord(programFolder + "/pressvale-guard");
    pv::switch_record::Settle(switchRecord, cupsPrinters);
    pv::EarlyPrinters printers(cupsPrinters);
    pv::QtEventPump eventPump;
    pv::MainWindow window([&eventPump] { eventPump.endLoop(); });
    pv::PosixFileSystem fileSystem;
    pv::PosixProcesses processes;
    pv::QtSettingsStore settings;
    pv::QtShell shell;
    pv::QtMessageBoxes messageBoxes(&window);
    pv::QtFileDialogs fileDialogs(&window);
    pv::PosixClock clock;
    pv::StandardRandomSource random;
    pv::PosixDefaultPrinterGuard printerGuard(programFolder + "/pressvale-guard", switchRecord);
    pv::Services services{fileSystem,   processes,   printers,  printerGuard, settings, shell,
                          messageBoxes, fileDialogs, eventPump, clock,        random};

    pv::Form1 form(services, pv::Form1Controls{window, window.listView(), window.comboBox(), window.progressBar()},
                   pv::ProgramConfig{programFolder, pv::build_config::kSupportAddress, pv::build_config::kHomePage});
    window.attachFileList(&form.fileList());
    window.setEvents(&form);

    form.Form_Load();
    printers.dropEarlyAnswers();
    window.show();
    // Every way out leaves the event loop as closing the window does, so that a run in
    // progress puts the user's default printer back as it unwinds: a termination signal closes
    // the window; a lost display ends the process from inside Qt, before anything can unwind,
    // so the runs put their defaults back at once.
    pv::TerminationSignals terminationSignals([&window] { window.close(); });
    pv::ExitHook lostDisplay([&form] { form.ProgramEndsNow(); });
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    // The program reads no command-line arguments: only the program's own name reaches Qt.
    int qtArgc = argc > 0 ? 1 : 0;
    // The font configuration is read while Qt starts, which is mostly a wait on the display.
    pv::EarlyFontConfiguration fonts;
    pv::Application application(qtArgc, argv);
    fonts.finish();
    // Desktops find the entry, and with it the name and icon for the dock, by the Wayland app
    // id (on X by the window class, which stays the program's name).
    QGuiApplication::setDesktopFileName(QString::fromLatin1(pv::build_config::kAppId));

    const int status = RunWindow();
    // Everything the program keeps is written by now; Qt's own teardown is left. Qt 6.4's
    // Wayland plugin may wait there for ever on its event thread (about 1 close in 60 under
    // load), which would leave the process running without a window.
    pv::SetExitDeadline(std::chrono::seconds(5), status);
    return status;
}
