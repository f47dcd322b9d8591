#pragma once

#include <windows.h>

#include <string>

#include "platform/win32_support/owned.h"
#include "services/default_printer_guard.h"

namespace pv {

// The printer guard on Windows: the program `guardProgram` (a full path, never searched for),
// started without a window in a process group of its own and out of the program's job where
// the job allows it, given this program's process id and, as its only inherited handle, the
// read end of a pipe whose only writer this program is. It holds this program's process and
// watches the pipe: a program that ends, however it ends, closes its end of the pipe.
class Win32DefaultPrinterGuard final : public DefaultPrinterGuard {
public:
    explicit Win32DefaultPrinterGuard(std::wstring guardProgram);

    void arm(const std::string& replacedDefault) noexcept override;
    void watch(const std::string& name) noexcept override;
    void release() noexcept override;

private:
    void tell(const std::string& record) noexcept;

    std::wstring guardProgram_;
    win32::KernelHandle toGuard_;
    win32::KernelHandle guard_;
};

}  // namespace pv
