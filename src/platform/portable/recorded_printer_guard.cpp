#include "platform/portable/recorded_printer_guard.h"

#include <exception>
#include <utility>

#include "platform/portable/printer_guard_watch.h"

namespace pv {

void RecordedPrinterGuard::arm(const std::string& replacedDefault) noexcept
{
    if (std::exchange(armed_, true))
        return;
    replaced_ = replacedDefault;
    switches_.join(replacedDefault);
    startProcess(replacedDefault);
}

void RecordedPrinterGuard::watch(const std::string& name) noexcept
{
    switches_.add(name);
    tell(printer_guard::Record(printer_guard::kWatch, name));
}

void RecordedPrinterGuard::release(const std::function<void(const std::string&)>& putBack)
{
    if (!std::exchange(armed_, false))
        return;
    std::exception_ptr failure;
    try {
        switches_.leave(replaced_, putBack);
    } catch (...) {
        failure = std::current_exception();
    }
    endProcess();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace pv
