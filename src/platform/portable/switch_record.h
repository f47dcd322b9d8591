#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "services/printers.h"

namespace pv::switch_record {

// One program, told apart from every other process of the machine, before and after a restart:
// its host, user, process id and start time as the system gives it.
struct ProgramIdentity {
    std::string host;
    std::string user;
    std::string processId;
    std::string started;
    bool operator==(const ProgramIdentity&) const = default;
};

// The default-printer switches of the open print runs of all the user's Pressvale programs:
// the default before the first of them began (empty: none), each printer a run made the
// default, and the programs whose runs are open.
struct SwitchRecord {
    std::string replaced;
    std::vector<std::string> printers;
    std::vector<ProgramIdentity> programs;
};

std::string Format(const SwitchRecord& record);
// Nothing for a text that is no record.
std::optional<SwitchRecord> Parse(const std::string& text);

// Where the record lives: a per-user file, its lock, and the entry that starts the printer
// guard's restore at the next log-in while a record exists.
class SwitchRecordStore {
public:
    virtual ~SwitchRecordStore() = default;
    // Waits for the user's lock and holds it until unlock(); false when it cannot be had.
    virtual bool lock() noexcept = 0;
    virtual void unlock() noexcept = 0;
    // The record's text, or nothing when there is none.
    virtual std::optional<std::string> read() = 0;
    // Replaces the record whole, durably, and adds the log-in entry. Throws Failure.
    virtual void write(const std::string& text) = 0;
    // Removes the record and the log-in entry.
    virtual void remove() noexcept = 0;
    virtual void removeLoginEntry() noexcept = 0;
    // This program, and whether `program` still runs (a program of another host counts as
    // running: it cannot be asked).
    virtual ProgramIdentity self() = 0;
    virtual bool runs(const ProgramIdentity& program) = 0;
};

// This program's part in the record, for the outermost print run. Where the record cannot be
// used the run goes on with its own replaced default, as though it were alone.
class ProgramSwitches {
public:
    explicit ProgramSwitches(SwitchRecordStore& store) : store_(store) {}

    // Before the run's first switch, `replaced` being the default it found: joins the record of
    // other programs' open runs, whose replaced default holds while the default is still one
    // of theirs; else begins a record of its own.
    void join(const std::string& replaced) noexcept;
    // Adds a printer that the run makes the default.
    void add(const std::string& printer) noexcept;
    // The run's end: leaves the record. While another program named in it still runs, that
    // program puts the default back at its end; else `putBack` is given the replaced default
    // (`ownReplaced` without a record) and the record goes once it returns. Failures of
    // `putBack` go to the caller, the record then kept for the next start.
    void leave(const std::string& ownReplaced, const std::function<void(const std::string&)>& putBack);

private:
    SwitchRecordStore& store_;
    bool recorded_ = false;
};

// What a guard or a start does with a record: unless a program it names still runs, puts the
// replaced default back while the default is one of the record's printers (or cannot be
// read), and removes the record; should that fail, keeps it. `told` is what a guard's program
// told it, its programs the one that has ended (which may not look ended yet); without a
// record, the guard acts on it alike. True when nothing is left to do.
bool Settle(SwitchRecordStore& store, Printers& printers, const std::optional<SwitchRecord>& told = std::nullopt);

// The guard at log-in (its restore mode): settles, tried for about half a minute while the
// print system does not answer yet, then removes the log-in entry, record or not.
void RestoreAtLogIn(SwitchRecordStore& store, Printers& printers);

// The guard once its program has ended without saying the default is back: settles what the
// program told, tried a few times.
void SettleAfterProgramEnded(SwitchRecordStore& store, Printers& printers, const SwitchRecord& told);

}  // namespace pv::switch_record
