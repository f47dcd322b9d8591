// Pressvale: prints many PDF files in one go. Wires the program's behaviour (Form1) to the
// Win32 window and the Win32 services, runs the load procedure and shows the window.

#include <windows.h>
#include <ole2.h>

#include <string>

#include "app/form1.h"
#include "build_config.h"
#include "platform/portable/standard_random.h"
#include "platform/win32/console_close.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_default_printer_guard.h"
#include "platform/win32/win32_event_pump.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_printers.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_switch_record_store.h"
#include "platform/win32_support/program_path.h"
#include "platform/win32_support/wide_text.h"
#include "ui/win32/main_window.h"

namespace {

// The folder the program was started from, without a trailing separator.
std::string ProgramFolder()
{
    const std::wstring path = pv::win32::ProgramPath();
    return pv::win32::Utf8(path.substr(0, path.find_last_of(L'\\')));
}

// OLE on the program's thread, which drops from other programs, the folder picker and the
// shell's dialogs need; ended after the window and its drop target have gone. It starts once
// the window shows: starting it loads OLE's libraries, which would hold up the first showing,
// and nothing needs it before the message loop runs (the list registers its drop target on
// the loop's first turn). Should it not start, the program still prints, without those.
class OleSession {
public:
    OleSession() = default;
    ~OleSession()
    {
        if (started_)
            OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

    void start() { started_ = SUCCEEDED(OleInitialize(nullptr)); }

private:
    bool started_ = false;
};

}  // namespace

// The program reads no command-line arguments.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    OleSession ole;
    pv::MainWindow window;
    pv::Win32FileSystem fileSystem;
    pv::Win32Processes processes;
    pv::Win32Printers printers;
    pv::Win32SettingsStore settings;
    pv::Win32Shell shell(processes);
    pv::Win32MessageBoxes messageBoxes;
    messageBoxes.setOwner(window.handle());
    pv::Win32FileDialogs fileDialogs;
    fileDialogs.setOwner(window.handle());
    pv::Win32EventPump eventPump;
    pv::Win32Clock clock;
    pv::StandardRandomSource random;
    const std::string programFolder = ProgramFolder();
    const std::wstring guardProgram = pv::win32::Wide(programFolder) + L"\\pressvale-guard.exe";
    // A run that ended without putting the default back (a power cut, a kill of the program and
    // its guard) left its record: acted on, silently, before the window shows.
    pv::Win32SwitchRecordStore switchRecord(guardProgram);
    pv::switch_record::Settle(switchRecord, printers);
    pv::Win32DefaultPrinterGuard printerGuard(guardProgram, switchRecord);
    pv::Services services{fileSystem,   processes,   printers,  printerGuard, settings, shell,
                          messageBoxes, fileDialogs, eventPump, clock,        random};

    pv::Form1 form(services, pv::Form1Controls{window, window.listView(), window.comboBox(), window.progressBar()},
                   pv::ProgramConfig{programFolder, pv::build_config::kSupportAddress, pv::build_config::kHomePage});
    window.attachFileList(&form.fileList());
    window.setEvents(&form);

    form.Form_Load();
    window.show();
    ole.start();
    // A console control event closes the window as its close box does: the message loop ends
    // by WM_QUIT, and a run in progress puts the user's default printer back as it unwinds.
    const pv::ConsoleClose consoleClose(window.handle());
    return window.run();
}
