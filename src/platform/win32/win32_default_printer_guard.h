#pragma once

#include <windows.h>

#include <string>

#include "platform/portable/recorded_printer_guard.h"
#include "platform/win32_support/owned.h"

namespace pv {

// The switch that makes the guard program a starter: given it and the program's process id,
// it starts the guard proper with that id and its own two standard handles, and ends at once,
// its exit code the guard's process id (0 when the guard did not start).
constexpr wchar_t kGuardStarterSwitch[] = L"--start";

// Starts the guard program `program` with `arguments`, without a window, in a process group of
// its own and out of the caller's job where the job allows it, without the "starting" pointer
// (it shows no window to end it), with `input` and `output` as its standard handles and the
// only handles it inherits; where that cannot be said it is not started, as it would inherit
// every inheritable handle. Gives no handle when it did not start.
win32::KernelHandle StartGuardProcess(const std::wstring& program, const std::wstring& arguments, HANDLE input,
                                      HANDLE output);

// The printer guard on Windows: the program `guardProgram` (a full path, never searched for),
// started through its starter, so that it is no descendant of this program, given this
// program's process id and the read end of a pipe whose only writer this program is. It holds
// this program's process and watches the pipe: a program that ends, however it ends, closes
// its end of the pipe. The switch record is kept in `record`.
class Win32DefaultPrinterGuard final : public RecordedPrinterGuard {
public:
    Win32DefaultPrinterGuard(std::wstring guardProgram, switch_record::SwitchRecordStore& record);

private:
    void startProcess(const std::string& replacedDefault) noexcept override;
    void tell(const std::string& record) noexcept override;
    void endProcess() noexcept override;

    std::wstring guardProgram_;
    win32::KernelHandle toGuard_;
    win32::KernelHandle guard_;
};

}  // namespace pv
