#include "platform/posix/posix_clock.h"

#include <chrono>
#include <cstring>
#include <ctime>

namespace pv {

double PosixClock::secondsSinceMidnight()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + now.tv_nsec / 1e9;
}

std::int64_t PosixClock::steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

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
