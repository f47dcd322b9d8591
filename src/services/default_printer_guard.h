#pragma once

#include <string>

namespace pv {

// A process of its own that outlives the program: should the program end while a print run
// has the user's default printer changed, by whatever way (a kill, a crash, a toolkit's
// _exit), the guard puts the default back that the run replaced. Nothing here ever throws:
// a guard that cannot be started or told leaves the run to go on unguarded.
class DefaultPrinterGuard {
public:
    virtual ~DefaultPrinterGuard() = default;

    // Starts the guard, hands it `replacedDefault` (empty: no printer was the default) and
    // waits a short while until it says it is watching.
    virtual void arm(const std::string& replacedDefault) noexcept = 0;

    // Tells the armed guard that a run makes `name` the default: it puts the replaced default
    // back only while the default is still one of these, so a choice made since stays.
    virtual void watch(const std::string& name) noexcept = 0;

    // The run has put the default back, or tried to: the guard ends, touching nothing.
    virtual void release() noexcept = 0;
};

}  // namespace pv
