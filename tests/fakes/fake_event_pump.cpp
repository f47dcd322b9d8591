#include "fakes/fake_event_pump.h"

namespace pv::testing {

void FakeEventPump::processEvents()
{
    if (!loopEnded) {
        ++turns;
        if (onTurn)
            onTurn();
    }
    if (loopEnded)
        throw EventLoopEnded();
}

void FakeEventPump::processEventsFor(std::chrono::milliseconds duration)
{
    waited += duration;
    if (onWait)
        onWait(duration);
    processEvents();
}

}  // namespace pv::testing
