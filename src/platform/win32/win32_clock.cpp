#include "platform/win32/win32_clock.h"

#include <windows.h>

#include <chrono>

namespace pv {

double Win32Clock::secondsSinceMidnight()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

std::int64_t Win32Clock::steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace pv
