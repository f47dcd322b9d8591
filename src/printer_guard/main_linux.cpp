// pressvale-guard: started by Pressvale as a print run changes the user's default printer, it
// puts the replaced default back should the program end without doing so itself. It reads what
// the program tells it on its standard input, answers on its standard output, and prints nothing.
// Started with --restore (at log-in, by the autostart entry a run leaves while it is open), it
// acts on the switch record of runs that ended without putting the default back.

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/cups/cups_printers.h"
#include "platform/portable/printer_guard_watch.h"
#include "platform/posix/posix_switch_record_store.h"

int main(int argc, char** argv)
{
    // The signals a session sends its programs do not end the guard: they came blocked, and are
    // ignored before they are let through.
    for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGPIPE})
        std::signal(signal, SIG_IGN);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);

    // The program that started the guard, known while it still runs.
    const pv::switch_record::ProgramIdentity program = pv::PosixSwitchRecordStore::identify(getppid());
    std::error_code error;
    pv::PosixSwitchRecordStore record(std::filesystem::read_symlink("/proc/self/exe", error).string());
    pv::CupsPrinters printers;
    if (argc == 2 && std::strcmp(argv[1], pv::kRestoreSwitch) == 0) {
        pv::switch_record::RestoreAtLogIn(record, printers);
        return 0;
    }

    std::optional<pv::switch_record::SwitchRecord> told = pv::printer_guard::WatchProgram(
        [] {
            char buffer[4096];
            ssize_t count = 0;
            do {
                count = read(STDIN_FILENO, buffer, sizeof buffer);
            } while (count < 0 && errno == EINTR);
            return std::string(buffer, count > 0 ? static_cast<std::size_t>(count) : 0);
        },
        [] {
            const char watching = pv::printer_guard::kWatching;
            while (write(STDOUT_FILENO, &watching, 1) < 0 && errno == EINTR) {
            }
            close(STDOUT_FILENO);
        });
    if (told) {
        told->programs.push_back(program);
        pv::switch_record::SettleAfterProgramEnded(record, printers, *told);
    }
    return 0;
}
