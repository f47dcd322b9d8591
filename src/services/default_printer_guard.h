#pragma once

#include <functional>
#include <string>

namespace pv {

// A process of its own that outlives the program, and a per-user record on the disk that
// outlives both: should the program end while a print run has the user's default printer
// changed, by whatever way (a kill, a crash, a toolkit's _exit, a power cut), the guard, or
// else the next start or log-in, puts back the default that the run replaced. The record is
// shared by the runs of all the user's programs: the default goes back when the last of them
// ends. Nothing here throws but the put-back the run hands in: a guard that cannot be started
// or told leaves the run to go on unguarded.
class DefaultPrinterGuard {
public:
    virtual ~DefaultPrinterGuard() = default;

    // Records `replacedDefault` (empty: no printer was the default), starts the guard, hands it
    // the default and waits a short while until it says it is watching. Where other programs'
    // runs are open, the default they replaced is the one that goes back.
    virtual void arm(const std::string& replacedDefault) noexcept = 0;

    // Tells the armed guard that a run makes `name` the default: it puts the replaced default
    // back only while the default is still one of these, so a choice made since stays.
    virtual void watch(const std::string& name) noexcept = 0;

    // The run's end: calls `putBack` with the default to put back, unless another program's
    // run is still open (that run puts it back at its end), then ends the guard, which touches
    // nothing. Failures of `putBack` go to the caller once the guard has ended; the record
    // then stays for the next start.
    virtual void release(const std::function<void(const std::string&)>& putBack) = 0;
};

}  // namespace pv
