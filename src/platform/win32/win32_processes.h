#pragma once

#include <windows.h>

#include <map>

#include "platform/win32_support/owned.h"
#include "services/processes.h"

namespace pv {

// Starting programs on Windows with CreateProcessW, never through a command interpreter, in
// the current folder and environment. The window style becomes the show code of the new
// program's first window (0 hidden, 1 normal, 2 minimised, 3 maximised, 4 normal without
// focus, 5 shown, 6 minimised without focus; any other style is taken as 6). Handles are
// process handles opened for exit-status queries only.
//
// The process handle of each started program is kept until a handle opened for it is closed,
// or until a later start finds the program ended without one, so that a program which ends
// at once can still be opened and its exit code read.
class Win32Processes final : public Processes {
public:
    std::int64_t start(const std::string& commandLine, int windowStyle) override;
    std::optional<Handle> open(std::int64_t processId) override;
    bool exitStatus(Handle handle, std::int32_t& status) override;
    void close(Handle handle) override;

private:
    void releaseEnded();

    std::map<DWORD, win32::KernelHandle> started_;
};

// The show code (SW_*) for a window style.
WORD ShowCodeFor(int windowStyle);

}  // namespace pv
