#include "fakes/fake_event_pump.h"

namespace pv::testing {

void FakeEventPump::processEvents()
{
    ++turns;
    if (onTurn)
        onTurn();
}

void FakeEventPump::processEventsFor(std::chrono::milliseconds duration)
{
    waited += duration;
    if (onWait)
        onWait(duration);
    processEvents();
}

}  // namespace pv::testing
