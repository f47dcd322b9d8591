#pragma once

#include "services/clock.h"

namespace pv {

class PosixClock final : public Clock {
public:
    double secondsSinceMidnight() override;
    std::int64_t steadyMilliseconds() override;
};

}  // namespace pv
