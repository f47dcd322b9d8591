#pragma once

#include "services/event_pump.h"

namespace pv {

// The message loop of the window's thread, with the dialog keys of the program's own loop.
// Waiting sleeps in MsgWaitForMultipleObjectsEx until a message arrives or the time is up. A
// quit message ends the program's loop: it is posted again for the program's main loop, and
// this call and every later one throw EventLoopEnded, dispatching nothing more.
class Win32EventPump final : public EventPump {
public:
    void processEvents() override;
    void processEventsFor(std::chrono::milliseconds duration) override;

private:
    // Handles the pending messages; throws once a quit message was met.
    void dispatchPending();

    bool ended_ = false;
};

}  // namespace pv
