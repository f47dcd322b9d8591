#pragma once

#include "services/event_pump.h"

namespace pv {

// The window's event loop through QCoreApplication. Waits sleep in a nested QEventLoop until
// a timer ends them, so a long wait costs no processor time.
class QtEventPump final : public EventPump {
public:
    void processEvents() override;
    void processEventsFor(std::chrono::milliseconds duration) override;

    // Ends the program's event loop (QCoreApplication::exit) and with it every loop running
    // inside it; from now on both calls above throw EventLoopEnded.
    void endLoop();

private:
    void throwOnceEnded() const;

    bool ended_ = false;
};

}  // namespace pv
