#pragma once

#include <windows.h>

namespace pv {

// While it lives, a console control event (Ctrl+C, Ctrl+Break, the console closed, log-off,
// shutdown), where the program has a console, closes `window` as its close box would. The
// handler runs on a thread of its own: it posts WM_CLOSE and waits a few seconds at most for
// the program to leave its message loop (the destructor), since Windows may end the process
// as soon as the handler returns. One at a time.
class ConsoleClose {
public:
    explicit ConsoleClose(HWND window);
    ~ConsoleClose();
    ConsoleClose(const ConsoleClose&) = delete;
    ConsoleClose& operator=(const ConsoleClose&) = delete;
};

}  // namespace pv
