#pragma once

#include <windows.h>

#include <string>

#include "platform/portable/switch_record.h"
#include "platform/win32_support/owned.h"

namespace pv {

// The default-printer switch record on Windows: "default-printer-switch" in
// %LOCALAPPDATA%\Pressvale, locked through "default-printer-switch.lock" beside it. While a
// record exists, the user's RunOnce value "Pressvale default printer" starts
// `guardProgram --restore` at the next log-in.
class Win32SwitchRecordStore final : public switch_record::SwitchRecordStore {
public:
    explicit Win32SwitchRecordStore(std::wstring guardProgram);

    bool lock() noexcept override;
    void unlock() noexcept override;
    std::optional<std::string> read() override;
    void write(const std::string& text) override;
    void remove() noexcept override;
    void removeLoginEntry() noexcept override;
    switch_record::ProgramIdentity self() override;
    bool runs(const switch_record::ProgramIdentity& program) override;

    // The process `processId` of this machine.
    static switch_record::ProgramIdentity identify(DWORD processId);

private:
    std::wstring guardProgram_;
    std::wstring folder_;
    win32::KernelHandle lock_;
};

// The switch that starts the guard program in its restore mode.
inline constexpr wchar_t kRestoreSwitch[] = L"--restore";

}  // namespace pv
