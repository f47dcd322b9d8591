#pragma once

#include <chrono>

namespace pv {

// Thrown by the event pump once the program's event loop has ended (the window closed, the
// session ending, a termination signal): every procedure waiting in the loop unwinds, putting
// back on its way out what it changed. Not a Failure, so that no guarded step reports it or
// carries on past it.
struct EventLoopEnded {};

// The window's event loop, as long-running procedures of the core drive it. Both calls throw
// EventLoopEnded when the loop has ended before or while they handle events, so that a loop
// of them never spins once the program is leaving.
class EventPump {
public:
    virtual ~EventPump() = default;

    // Handles every pending window event, then returns.
    virtual void processEvents() = 0;

    // Handles window events as they arrive until `duration` has passed. Sleeps while nothing
    // arrives, so a loop of these calls does not spin a core.
    virtual void processEventsFor(std::chrono::milliseconds duration) = 0;
};

}  // namespace pv
