#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "services/event_pump.h"
#include "services/processes.h"

namespace pv {

// The window style a launched program starts with when none (or one outside 0..6) is given:
// minimised, without taking the focus.
inline constexpr int kMinimisedNoActivate = 6;

// The base added to the error number of a process that could not be started.
inline constexpr std::int32_t kStartFailureBase = -2147221504;

// Starts `commandLine` and waits until the process has ended, polling every 100 ms while the
// window keeps processing events. Returns the exit status, or kStartFailureBase plus the
// platform's error number when the program cannot be started (then nothing is waited for).
std::int32_t RunAndWait(Processes& processes, EventPump& eventPump, const std::string& commandLine,
                        std::optional<int> windowStyle = std::nullopt);

}  // namespace pv
