// pressvale-guard: started by Pressvale as a print run changes the user's default printer, it
// puts the replaced default back should the program end without doing so itself. It reads what
// the program tells it on its standard input, answers on its standard output, and prints nothing.

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

#include "platform/cups/cups_printers.h"
#include "platform/portable/printer_guard_watch.h"

int main()
{
    // The signals a session sends its programs do not end the guard: they came blocked, and are
    // ignored before they are let through.
    for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGPIPE})
        std::signal(signal, SIG_IGN);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);

    pv::CupsPrinters printers;
    pv::printer_guard::WatchProgram(
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
        },
        printers);
    return 0;
}
