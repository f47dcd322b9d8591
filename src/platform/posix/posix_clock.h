#pragma once

#include <random>

#include "platform/clock.h"

namespace pv {

class PosixClock final : public Clock {
public:
    double secondsSinceMidnight() override;
    std::int64_t steadyMilliseconds() override;
};

// A Mersenne twister seeded from the value it is given.
class StandardRandomSource final : public RandomSource {
public:
    void seed(double value) override;
    double next() override;

private:
    std::mt19937_64 engine_;
};

}  // namespace pv
