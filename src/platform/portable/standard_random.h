#pragma once

#include <random>

#include "services/clock.h"

namespace pv {

// A Mersenne twister seeded from the value it is given; the same on every platform.
class StandardRandomSource final : public RandomSource {
public:
    void seed(double value) override;
    double next() override;

private:
    std::mt19937_64 engine_;
};

}  // namespace pv
