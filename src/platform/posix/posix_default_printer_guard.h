#pragma once

#include <sys/types.h>

#include <string>

#include "platform/portable/recorded_printer_guard.h"

namespace pv {

// The printer guard on Linux: the program `guardProgram` (an absolute path, never searched
// for), started in a session of its own with the signals a session sends its programs blocked
// (it ignores them once it runs), the read end of a pipe as its input and nothing else of the
// program's. The pipe's only writer is this program: its end, however it comes, is the end of
// the pipe. Released, the guard is collected. The switch record is kept in `record`.
class PosixDefaultPrinterGuard final : public RecordedPrinterGuard {
public:
    PosixDefaultPrinterGuard(std::string guardProgram, switch_record::SwitchRecordStore& record);
    ~PosixDefaultPrinterGuard() override;
    PosixDefaultPrinterGuard(const PosixDefaultPrinterGuard&) = delete;
    PosixDefaultPrinterGuard& operator=(const PosixDefaultPrinterGuard&) = delete;

private:
    void startProcess(const std::string& replacedDefault) noexcept override;
    void tell(const std::string& record) noexcept override;
    void endProcess() noexcept override;

    std::string guardProgram_;
    int toGuard_ = -1;
    pid_t guard_ = 0;
};

}  // namespace pv
