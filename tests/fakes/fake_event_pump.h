#pragma once

#include <chrono>
#include <functional>

#include "services/event_pump.h"

namespace pv::testing {

// Counts the event-loop turns a routine takes and runs a test's hook at each one, so that a
// test can act "while the window processes events". Waits advance a virtual clock. Once a hook
// has ended the loop, every turn throws EventLoopEnded, as the real pumps do.
class FakeEventPump final : public EventPump {
public:
    void processEvents() override;
    void processEventsFor(std::chrono::milliseconds duration) override;

    bool loopEnded = false;
    int turns = 0;
    std::chrono::milliseconds waited{0};
    // Runs at every turn; may be empty.
    std::function<void()> onTurn;
    // Runs at every wait with its duration, before the turn; may be empty.
    std::function<void(std::chrono::milliseconds)> onWait;
};

}  // namespace pv::testing
