#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "failure/failure.h"
#include "services/processes.h"

namespace pv::testing {

// Processes that a test scripts: start records what it was given and hands out a process id
// or throws; exitStatus hands out the scripted statuses one per query, the last one for good.
class FakeProcesses final : public Processes {
public:
    struct StartCall {
        std::string commandLine;
        int windowStyle = 0;
    };

    std::int64_t start(const std::string& commandLine, int windowStyle) override;
    std::optional<Handle> open(std::int64_t processId) override;
    bool exitStatus(Handle handle, std::int32_t& status) override;
    void close(Handle handle) override;

    // Script.
    std::optional<Failure> startFailure;  // thrown by start when set
    std::int64_t processId = 4242;        // what start returns
    bool openable = true;                 // whether open finds the process
    std::deque<std::int32_t> statuses{0};

    // Record.
    std::vector<StartCall> starts;
    std::vector<std::int64_t> opened;  // process ids open was asked for
    int statusQueries = 0;
    std::set<Handle> openHandles;
    int closes = 0;

private:
    Handle nextHandle_ = 1;
    // The process has ended and its last handle is closed: like a real one, it is let go and
    // cannot be opened again (until start hands out its id anew).
    bool letGo_ = false;
};

}  // namespace pv::testing
