#pragma once

#include <sys/types.h>

#include <string>

#include "services/default_printer_guard.h"

namespace pv {

// The printer guard on Linux: the program `guardProgram` (an absolute path, never searched
// for), started in a session of its own with the signals a session sends its programs blocked
// (it ignores them once it runs), the read end of a pipe as its input and nothing else of the
// program's. The pipe's only writer is this program: its end, however it comes, is the end of
// the pipe. Released, the guard is collected.
class PosixDefaultPrinterGuard final : public DefaultPrinterGuard {
public:
    explicit PosixDefaultPrinterGuard(std::string guardProgram);
    ~PosixDefaultPrinterGuard() override;
    PosixDefaultPrinterGuard(const PosixDefaultPrinterGuard&) = delete;
    PosixDefaultPrinterGuard& operator=(const PosixDefaultPrinterGuard&) = delete;

    void arm(const std::string& replacedDefault) noexcept override;
    void watch(const std::string& name) noexcept override;
    void release() noexcept override;

private:
    void tell(const std::string& record) noexcept;

    std::string guardProgram_;
    int toGuard_ = -1;
    pid_t guard_ = 0;
};

}  // namespace pv
