#pragma once

#include <filesystem>
#include <string>

#include "platform/portable/switch_record.h"

namespace pv {

// The default-printer switch record on Linux: "default-printer-switch" in the user's state
// folder ($XDG_STATE_HOME/pressvale, or ~/.local/state/pressvale), locked through
// "default-printer-switch.lock" beside it. While a record exists, an entry in the user's
// autostart folder ($XDG_CONFIG_HOME/autostart, or ~/.config/autostart) starts
// `guardProgram --restore` at the next log-in.
class PosixSwitchRecordStore final : public switch_record::SwitchRecordStore {
public:
    explicit PosixSwitchRecordStore(std::string guardProgram);
    ~PosixSwitchRecordStore() override;
    PosixSwitchRecordStore(const PosixSwitchRecordStore&) = delete;
    PosixSwitchRecordStore& operator=(const PosixSwitchRecordStore&) = delete;

    bool lock() noexcept override;
    void unlock() noexcept override;
    std::optional<std::string> read() override;
    void write(const std::string& text) override;
    void remove() noexcept override;
    void removeLoginEntry() noexcept override;
    switch_record::ProgramIdentity self() override;
    // The process `processId` of this host.
    static switch_record::ProgramIdentity identify(long processId);
    bool runs(const switch_record::ProgramIdentity& program) override;

private:
    std::string guardProgram_;
    std::filesystem::path folder_;
    std::filesystem::path loginEntry_;
    int lock_ = -1;
};

// The switch that starts the guard program in its restore mode.
inline constexpr char kRestoreSwitch[] = "--restore";

}  // namespace pv
