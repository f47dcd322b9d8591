#include "fakes/fake_processes.h"

namespace pv::testing {

std::int64_t FakeProcesses::start(const std::string& commandLine, int windowStyle)
{
    starts.push_back({commandLine, windowStyle});
    if (startFailure)
        throw *startFailure;
    letGo_ = false;
    return processId;
}

std::optional<Processes::Handle> FakeProcesses::open(std::int64_t id)
{
    opened.push_back(id);
    if (!openable || id != processId || letGo_)
        return std::nullopt;
    const Handle handle = nextHandle_++;
    openHandles.insert(handle);
    return handle;
}

bool FakeProcesses::exitStatus(Handle handle, std::int32_t& status)
{
    ++statusQueries;
    if (!openHandles.contains(handle))
        return false;
    status = statuses.front();
    if (statuses.size() > 1)
        statuses.pop_front();
    return true;
}

void FakeProcesses::close(Handle handle)
{
    ++closes;
    if (openHandles.erase(handle) && openHandles.empty() && statuses.front() != kStillActive)
        letGo_ = true;
}

}  // namespace pv::testing
