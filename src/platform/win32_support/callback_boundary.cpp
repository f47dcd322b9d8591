#include "platform/win32_support/callback_boundary.h"

namespace pv::win32 {

namespace {
thread_local std::exception_ptr tKept;
}  // namespace

void KeepException(std::exception_ptr exception) noexcept
{
    if (!tKept)
        tKept = std::move(exception);
}

void RaiseKeptException()
{
    if (tKept)
        std::rethrow_exception(std::exchange(tKept, nullptr));
}

}  // namespace pv::win32
