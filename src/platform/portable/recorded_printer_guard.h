#pragma once

#include <string>

#include "platform/portable/switch_record.h"
#include "services/default_printer_guard.h"

namespace pv {

// What both systems' printer guards share: the switch record, written before the guard process
// is told, so that a guard that cannot start, or ends with the program, still leaves the
// record for the next start or log-in. The process itself is the system's.
class RecordedPrinterGuard : public DefaultPrinterGuard {
public:
    explicit RecordedPrinterGuard(switch_record::SwitchRecordStore& record) : switches_(record) {}

    void arm(const std::string& replacedDefault) noexcept final;
    void watch(const std::string& name) noexcept final;
    void release(const std::function<void(const std::string&)>& putBack) final;

protected:
    // Starts the guard process, tells it the replaced default and waits until it watches.
    virtual void startProcess(const std::string& replacedDefault) noexcept = 0;
    // Sends the guard process a record of the pipe's (printer_guard_watch.h).
    virtual void tell(const std::string& record) noexcept = 0;
    // Tells the process the default is back and ends it.
    virtual void endProcess() noexcept = 0;

private:
    switch_record::ProgramSwitches switches_;
    std::string replaced_;
    bool armed_ = false;
};

}  // namespace pv
