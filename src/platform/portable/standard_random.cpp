#include "platform/portable/standard_random.h"

#include <cstdint>
#include <cstring>

namespace pv {

void StandardRandomSource::seed(double value)
{
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    engine_.seed(bits);
}

double StandardRandomSource::next()
{
    // 53 random bits scaled into [0, 1); never 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace pv
