#include "platform/portable/run_and_wait.h"

#include <chrono>

#include "failure/failure.h"

namespace pv {
namespace {

constexpr std::chrono::milliseconds kPollInterval{100};

int NormalisedWindowStyle(std::optional<int> windowStyle)
{
    if (!windowStyle || *windowStyle < 0 || *windowStyle > kMinimisedNoActivate)
        return kMinimisedNoActivate;
    return *windowStyle;
}

// The error number on the base, wrapping as a signed 32-bit sum does.
std::int32_t StartFailureStatus(long errorNumber)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(kStartFailureBase) +
                                     static_cast<std::uint32_t>(errorNumber));
}

// A process handle that is closed however the wait ends, a failure going to the caller
// included.
class OpenedProcess {
public:
    OpenedProcess(Processes& processes, std::int64_t processId)
        : processes_(processes),
          handle_(processes.open(processId))
    {}
    ~OpenedProcess()
    {
        if (handle_)
            processes_.close(*handle_);
    }
    OpenedProcess(const OpenedProcess&) = delete;
    OpenedProcess& operator=(const OpenedProcess&) = delete;

    // Stores the exit status in `status`; leaves it as it was when there is no handle.
    void readExitStatus(std::int32_t& status)
    {
        if (handle_)
            processes_.exitStatus(*handle_, status);
    }

private:
    Processes& processes_;
    std::optional<Processes::Handle> handle_;
};

}  // namespace

std::int32_t RunAndWait(Processes& processes, EventPump& eventPump, const std::string& commandLine,
                        std::optional<int> windowStyle)
{
    std::int64_t processId = 0;
    try {
        processId = processes.start(commandLine, NormalisedWindowStyle(windowStyle));
    } catch (const Failure& failure) {
        return StartFailureStatus(failure.code());
    }

    OpenedProcess process(processes, processId);
    // Read before the pause: a process that has already ended still costs one interval, and
    // one that ends later is noticed within an interval plus the pause of that pass.
    std::int32_t status = 0;
    do {
        process.readExitStatus(status);
        eventPump.processEventsFor(kPollInterval);
    } while (status == kStillActive);
    return status;
}

}  // namespace pv
