#include "platform/posix/exit_deadline.h"

#include <unistd.h>

#include <thread>

namespace pv {

void SetExitDeadline(std::chrono::milliseconds delay, int status)
{
    // _exit: no static destructor or exit handler may run beside the teardown it cuts short.
    std::thread([delay, status] {
        std::this_thread::sleep_for(delay);
        _exit(status);
    }).detach();
}

}  // namespace pv
