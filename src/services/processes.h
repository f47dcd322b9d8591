#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pv {

// The exit status the platform reports for a process that is still running.
inline constexpr std::int32_t kStillActive = 259;

// Starting other programs and watching them end.
class Processes {
public:
    using Handle = std::int64_t;
    virtual ~Processes() = default;

    // Starts the program that `commandLine` names (split by the Windows rules; never through a
    // shell) in the current folder and environment, without waiting. `windowStyle` is the
    // start-up window style 0..6 (no effect where the platform has none). Returns the process
    // id. Throws Failure, whose code is the platform's error number, when it cannot start.
    virtual std::int64_t start(const std::string& commandLine, int windowStyle) = 0;

    // Opens a started process for exit-status queries; nothing when it cannot be opened.
    virtual std::optional<Handle> open(std::int64_t processId) = 0;

    // The exit status: kStillActive while the process runs, its exit code once it has ended.
    // Returns false, storing nothing, when the handle is not valid.
    virtual bool exitStatus(Handle handle, std::int32_t& status) = 0;

    virtual void close(Handle handle) = 0;
};

}  // namespace pv
