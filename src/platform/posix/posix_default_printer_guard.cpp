#include "platform/posix/posix_default_printer_guard.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>
#include <utility>

#include "platform/portable/printer_guard_watch.h"

extern char** environ;

namespace pv {
namespace {

using std::chrono::milliseconds;
using Deadline = std::chrono::steady_clock::time_point;

// How long a run waits for its guard to watch, and for a released guard to end.
constexpr milliseconds kWatchingTimeout{2000};
constexpr milliseconds kEndTimeout{2000};

sigset_t SessionSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGPIPE})
        sigaddset(&signals, signal);
    return signals;
}

// Starts `program` with `input` as its standard input and `output` as its standard output,
// its errors to /dev/null, in a session of its own, the session's signals blocked. It holds
// nothing else the program has open: a descriptor that it inherited (one left open by whatever
// started the program, say) would stay open for as long as the guard lives.
pid_t StartGuard(const std::string& program, int input, int output)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    const sigset_t blocked = SessionSignals();
    posix_spawnattr_setsigmask(&attributes, &blocked);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t processId = 0;
    const int error = posix_spawn(&processId, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? processId : 0;
}

// Waits until `fd` has a byte to read, at most until `deadline`, and takes it.
bool ReadByteBy(int fd, Deadline deadline)
{
    pollfd watched{fd, POLLIN, 0};
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        const int ready = poll(&watched, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        char byte = 0;
        return ready > 0 && read(fd, &byte, 1) == 1;
    }
}

// Writes all of `bytes`; a reader that has gone makes the write fail, without the SIGPIPE
// that would end the program.
void WriteWithoutPipeSignal(int fd, const std::string& bytes)
{
    const sigset_t pipeSignal = [] {
        sigset_t signals;
        sigemptyset(&signals);
        sigaddset(&signals, SIGPIPE);
        return signals;
    }();
    sigset_t previousMask;
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previousMask);
    sigset_t pendingBefore;
    sigpending(&pendingBefore);
    bool brokenPipe = false;
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t count = write(fd, bytes.data() + written, bytes.size() - written);
        if (count >= 0) {
            written += static_cast<std::size_t>(count);
        } else if (errno != EINTR) {
            brokenPipe = errno == EPIPE;
            break;
        }
    }
    // The SIGPIPE this write raised is taken here, unless one was pending already.
    if (brokenPipe && !sigismember(&pendingBefore, SIGPIPE)) {
        const timespec now{0, 0};
        while (sigtimedwait(&pipeSignal, nullptr, &now) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
}

// Collects the child `processId`, waiting until `deadline` at most; one still running then
// is killed (a released guard touches nothing anyway) and collected.
void Collect(pid_t processId, Deadline deadline)
{
    for (;;) {
        const pid_t result = waitpid(processId, nullptr, WNOHANG);
        if (result == processId || (result < 0 && errno != EINTR))
            return;
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(milliseconds(1));
    }
    kill(processId, SIGKILL);
    while (waitpid(processId, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

PosixDefaultPrinterGuard::PosixDefaultPrinterGuard(std::string guardProgram, switch_record::SwitchRecordStore& record)
    : RecordedPrinterGuard(record),
      guardProgram_(std::move(guardProgram))
{}

PosixDefaultPrinterGuard::~PosixDefaultPrinterGuard()
{
    // Still armed here, the default was never put back: the guard, finding the pipe closed
    // without a word, puts it back.
    if (toGuard_ >= 0)
        close(toGuard_);
}

void PosixDefaultPrinterGuard::startProcess(const std::string& replacedDefault) noexcept
{
    if (toGuard_ >= 0)
        return;
    // Both pipes close on exec, made so in one call: a program started meanwhile on another
    // thread never holds an end. The guard's own ends reach it through its start's dup2.
    int toGuard[2];
    int fromGuard[2];
    if (pipe2(toGuard, O_CLOEXEC) != 0)
        return;
    if (pipe2(fromGuard, O_CLOEXEC) != 0) {
        close(toGuard[0]);
        close(toGuard[1]);
        return;
    }
    guard_ = StartGuard(guardProgram_, toGuard[0], fromGuard[1]);
    close(toGuard[0]);
    close(fromGuard[1]);
    if (guard_ == 0) {
        close(toGuard[1]);
        close(fromGuard[0]);
        return;
    }
    toGuard_ = toGuard[1];
    tell(printer_guard::Record(printer_guard::kReplaced, replacedDefault));
    // Past the time-out the run goes on: the guard, once it runs, still watches.
    ReadByteBy(fromGuard[0], std::chrono::steady_clock::now() + kWatchingTimeout);
    close(fromGuard[0]);
}

void PosixDefaultPrinterGuard::endProcess() noexcept
{
    if (toGuard_ < 0)
        return;
    tell(printer_guard::Record(printer_guard::kDone));
    close(std::exchange(toGuard_, -1));
    Collect(std::exchange(guard_, 0), std::chrono::steady_clock::now() + kEndTimeout);
}

void PosixDefaultPrinterGuard::tell(const std::string& record) noexcept
{
    if (toGuard_ >= 0)
        WriteWithoutPipeSignal(toGuard_, record);
}

}  // namespace pv
