#include "platform/posix/posix_processes.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <vector>

#include "failure/failure.h"
#include "platform/portable/command_line.h"

extern char** environ;

// Older glibc reported a program that cannot be executed only as exit status 127 of a child
// that did start; from 2.24 on posix_spawnp returns the error itself, which start relies on.
#if defined(__GLIBC__)
#if !__GLIBC_PREREQ(2, 24)
#error "posix_spawnp must report exec failures (glibc 2.24 or later)"
#endif
#endif

namespace pv {
namespace {

[[noreturn]] void ThrowStartFailure(const std::string& program, int error)
{
    throw Failure("Cannot start \"" + program + "\": " + std::strerror(error), error);
}

// Resets what a child would otherwise inherit from the window's process: blocked signals and
// signals set to be ignored.
class SpawnAttributes {
public:
    SpawnAttributes()
    {
        posix_spawnattr_init(&attributes_);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes_, &signals);
        sigfillset(&signals);
        posix_spawnattr_setsigdefault(&attributes_, &signals);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_;
};

std::int32_t StatusOf(int waitStatus)
{
    if (WIFSIGNALED(waitStatus))
        return kSignalStatusBase + WTERMSIG(waitStatus);
    return WEXITSTATUS(waitStatus);
}

}  // namespace

std::int64_t PosixProcesses::start(const std::string& commandLine, int /*windowStyle*/)
{
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    if (arguments.empty())
        ThrowStartFailure(commandLine, ENOENT);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        // An argument reaches the program as a C string; one with a NUL in it would arrive cut.
        if (argument.find('\0') != std::string::npos)
            ThrowStartFailure(arguments.front(), EINVAL);
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    const SpawnAttributes attributes;
    pid_t processId = 0;
    const int error = posix_spawnp(&processId, argv.front(), nullptr, attributes.get(), argv.data(), environ);
    if (error != 0)
        ThrowStartFailure(arguments.front(), error);

    // A process id comes back only once its earlier owner has been collected; handles still
    // naming that earlier child must not reach the new one.
    std::erase_if(handles_, [processId](const auto& entry) { return entry.second == processId; });
    children_[processId] = Child{};
    collectAbandoned();
    return processId;
}

std::optional<Processes::Handle> PosixProcesses::open(std::int64_t processId)
{
    if (processId <= 0 || processId > std::numeric_limits<pid_t>::max())
        return std::nullopt;
    const auto child = children_.find(static_cast<pid_t>(processId));
    if (child == children_.end())
        return std::nullopt;
    ++child->second.openHandles;
    child->second.abandoned = false;
    const Handle handle = nextHandle_++;
    handles_.emplace(handle, child->first);
    return handle;
}

bool PosixProcesses::exitStatus(Handle handle, std::int32_t& status)
{
    const auto entry = handles_.find(handle);
    if (entry == handles_.end())
        return false;
    Child& child = children_.at(entry->second);
    if (!child.status)
        collect(entry->second, child);
    status = child.status.value_or(kStillActive);
    return true;
}

void PosixProcesses::close(Handle handle)
{
    const auto entry = handles_.find(handle);
    if (entry == handles_.end())
        return;
    const auto child = children_.find(entry->second);
    handles_.erase(entry);
    if (--child->second.openHandles == 0) {
        if (child->second.status)
            children_.erase(child);
        else
            child->second.abandoned = true;
    }
    collectAbandoned();
}

void PosixProcesses::collect(pid_t processId, Child& child)
{
    int waitStatus = 0;
    pid_t result = 0;
    do {
        result = waitpid(processId, &waitStatus, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == processId)
        child.status = StatusOf(waitStatus);
    else if (result < 0)
        child.status = kLostExitStatus;
}

void PosixProcesses::collectAbandoned()
{
    for (auto child = children_.begin(); child != children_.end();) {
        if (child->second.abandoned)
            collect(child->first, child->second);
        if (child->second.abandoned && child->second.status)
            child = children_.erase(child);
        else
            ++child;
    }
}

}  // namespace pv
