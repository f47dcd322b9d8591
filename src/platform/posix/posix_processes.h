#pragma once

#include <sys/types.h>

#include <map>

#include "services/processes.h"

namespace pv {

// The exit status of a child ended by a signal: this base plus the signal number, as shells
// report it (a child killed with SIGKILL reports 137). Exit codes proper are 0..255, so the
// two never meet, and neither reaches the still-running status.
inline constexpr std::int32_t kSignalStatusBase = 128;

// The exit status of a child whose end was collected by someone else (as happens when the
// program ignores SIGCHLD): it has ended, but its code is lost.
inline constexpr std::int32_t kLostExitStatus = -1;

// Starting programs on Linux. The command line is split by the Windows rules and the program
// is started with posix_spawnp (searched in PATH when its name has no "/", never run through
// a shell), in the current folder and environment, with the signal mask and dispositions
// reset to their defaults. The window style has no effect.
//
// Only children started by this object are ever waited for, one by one and by their id, so
// children that other parts of the program start are left to them. A child is collected (no
// longer a zombie) at the first status query after it ends, and its status is kept for later
// queries until its last handle is closed. A child whose handles are all closed while it still
// runs is collected by a later start or close once it has ended.
//
// Not thread-safe: the window's thread is the only user.
class PosixProcesses final : public Processes {
public:
    std::int64_t start(const std::string& commandLine, int windowStyle) override;
    std::optional<Handle> open(std::int64_t processId) override;
    bool exitStatus(Handle handle, std::int32_t& status) override;
    void close(Handle handle) override;

private:
    struct Child {
        std::optional<std::int32_t> status;  // once collected
        int openHandles = 0;
        bool abandoned = false;  // every handle closed before it was collected
    };

    static void collect(pid_t processId, Child& child);
    void collectAbandoned();

    std::map<pid_t, Child> children_;
    std::map<Handle, pid_t> handles_;
    Handle nextHandle_ = 1;
};

}  // namespace pv
