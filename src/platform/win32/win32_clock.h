#pragma once

#include "services/clock.h"

namespace pv {

// The local time of day from GetLocalTime; steady time from the performance counter behind
// std::chrono::steady_clock.
class Win32Clock final : public Clock {
public:
    double secondsSinceMidnight() override;
    std::int64_t steadyMilliseconds() override;
};

}  // namespace pv
