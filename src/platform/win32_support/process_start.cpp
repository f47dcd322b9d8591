#include "platform/win32_support/process_start.h"

#include "platform/win32_support/owned.h"

namespace pv::win32 {

std::optional<unsigned long long> ProcessStart(DWORD id)
{
    const KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    FILETIME created;
    FILETIME exited;
    FILETIME kernel;
    FILETIME user;
    DWORD exitCode = 0;
    if (!process.valid() || !GetProcessTimes(process.get(), &created, &exited, &kernel, &user) ||
        !GetExitCodeProcess(process.get(), &exitCode) || exitCode != STILL_ACTIVE)
        return std::nullopt;
    return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace pv::win32
