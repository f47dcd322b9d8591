#pragma once

#include "platform/event_pump.h"

namespace pv {

// The window's event loop through QCoreApplication. Waits sleep in a nested QEventLoop until
// a timer ends them, so a long wait costs no processor time.
class QtEventPump final : public EventPump {
public:
    void processEvents() override;
    void processEventsFor(std::chrono::milliseconds duration) override;
};

}  // namespace pv
