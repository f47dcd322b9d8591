#pragma once

#include <chrono>
#include <thread>

#include "services/event_pump.h"

namespace pv::testing {

// An event pump with no events that really waits: each wait sleeps for its whole duration.
// It counts its turns and the time it was asked to wait.
class SleepingEventPump final : public EventPump {
public:
    void processEvents() override { ++turns; }
    void processEventsFor(std::chrono::milliseconds duration) override
    {
        ++turns;
        waited += duration;
        std::this_thread::sleep_for(duration);
    }

    int turns = 0;
    std::chrono::milliseconds waited{0};
};

}  // namespace pv::testing
