#pragma once

#include <cstdint>

namespace pv {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, with fractions.
    virtual double secondsSinceMidnight() = 0;
    // A steady time in milliseconds, for measuring elapsed time.
    virtual std::int64_t steadyMilliseconds() = 0;
};

// The pseudo-random generator the start-up draw uses.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(double value) = 0;
    // A fraction in [0, 1).
    virtual double next() = 0;
};

}  // namespace pv
