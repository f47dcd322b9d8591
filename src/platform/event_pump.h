#pragma once

#include <chrono>

namespace pv {

// The window's event loop, as long-running procedures of the core drive it.
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
