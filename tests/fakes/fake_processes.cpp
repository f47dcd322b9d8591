#include "fakes/fake_processes.h"

namespace pv::testing {

std::int64_t FakeProcesses::start(const std::string& commandLine, int windowStyle)
{
    starts.push_back({commandLine, windowStyle});
    if (startFailure)
        throw *startFailure;
    return processId;
}

std::optional<Processes::Handle> FakeProcesses::open(std::int64_t id)
{
    opened.push_back(id);
    if (!openable || id != processId)
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
    openHandles.erase(handle);
}

}  // namespace pv::testing
