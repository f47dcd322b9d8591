#pragma once

#include <chrono>

namespace pv {

// Ends the process with `status` once `delay` has passed, from a thread of its own, whatever
// the process is doing then. Set once the program's own state is written and only a library's
// teardown is left, so that a teardown waiting for ever cannot keep the process.
void SetExitDeadline(std::chrono::milliseconds delay, int status);

}  // namespace pv
