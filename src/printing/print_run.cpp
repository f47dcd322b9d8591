#include "printing/print_run.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "base/guard.h"
#include "base/procedure_ids.h"
#include "printing/per_file_print.h"
#include "printing/printer_selection.h"

namespace pv {

void PauseSeconds(EventPump& eventPump, Clock& clock, double seconds)
{
    const std::int64_t start = clock.steadyMilliseconds();
    const auto total = static_cast<std::int64_t>(seconds * 1000);
    for (std::int64_t elapsed = 0; elapsed < total; elapsed = clock.steadyMilliseconds() - start)
        eventPump.processEventsFor(std::chrono::milliseconds(total - elapsed));
}

// The default printer a run replaced. It is put back once: at the run's end, as the run
// unwinds when the program's event loop has ended, or at once for a process that ends under it.
// The outermost run arms the printer guard with the default it replaces, and releases it once
// that default is back; a nested run never does, since the default it finds is the outer run's
// printer, not one the user had.
class PrintRun::SavedDefault {
public:
    SavedDefault(std::vector<SavedDefault*>& runsInProgress, Printers& printers, DefaultPrinterGuard& guard)
        : runsInProgress_(runsInProgress),
          printers_(printers),
          guard_(guard)
    {
        runsInProgress_.push_back(this);
    }
    ~SavedDefault()
    {
        putBackQuietly();
        runsInProgress_.pop_back();
    }
    SavedDefault(const SavedDefault&) = delete;
    SavedDefault& operator=(const SavedDefault&) = delete;

    // Nothing when the default could not be read; an empty name when there was none.
    std::optional<std::string> name;

    // Before `chosen` is made the default: armed whatever the switch then reports, since a
    // switch that fails may still have written the user's default.
    void guardSwitchTo(const std::string& chosen)
    {
        SavedDefault& outermost = *runsInProgress_.front();
        if (&outermost == this && name && !armedGuard_) {
            guard_.arm(*name);
            armedGuard_ = true;
        }
        if (outermost.armedGuard_)
            guard_.watch(chosen);
    }

    // Failures go to the caller. An armed guard puts back the default of the record that the
    // runs of all the user's programs share, and is released even when that fails, so that no
    // guard is left to act later.
    void putBack()
    {
        if (std::exchange(putBack_, true))
            return;
        if (std::exchange(armedGuard_, false)) {
            guard_.release([this](const std::string& replaced) { SwitchDefaultPrinter(printers_, replaced); });
            return;
        }
        if (!name)
            throw Failure("The default printer from before the run could not be read, so it was not put back.",
                          failure_code::kPrinterNotFound);
        SwitchDefaultPrinter(printers_, *name);
    }

    void putBackQuietly() noexcept
    {
        try {
            putBack();
        } catch (...) {
            // The program is leaving; there is nobody left to tell.
        }
    }

private:
    std::vector<SavedDefault*>& runsInProgress_;
    Printers& printers_;
    DefaultPrinterGuard& guard_;
    bool putBack_ = false;
    bool armedGuard_ = false;
};

void PrintRun::PushButton2_Click()
{
    Guard guard(procedure_id::kStartPrinting, reports_);
    guard.step(100, [&] { window_.setPointer(PointerKind::Busy); });
    if (guard.test(102, [&] { return files_.count() >= 1; })) {
        SavedDefault savedDefault(runsInProgress_, services_.printers, services_.printerGuard);
        guard.step(104, [&] { savedDefault.name = GetDefaultPrinter(services_.printers, reports_); });
        // Once the chosen printer is the default, every file goes to it or to none: should it
        // stop being the default (deleted, or changed by another program) a file is not
        // printed elsewhere.
        std::optional<std::string> chosenPrinter;
        guard.step(106, [&] {
            const std::string chosen = combo_.text();
            // An empty name would mean "no default"; with no printer chosen there is none to set.
            if (chosen.empty())
                throw Failure("No printer is chosen in the printer box.", failure_code::kPrinterNotFound);
            savedDefault.guardSwitchTo(chosen);
            SwitchDefaultPrinter(services_.printers, chosen);
            chosenPrinter = chosen;
        });

        int rowCount = 0;
        guard.step(108, [&] { rowCount = files_.count(); });
        for (int i = 1; i <= rowCount; ++i) {
            guard.step(110, [&] { services_.eventPump.processEvents(); });
            guard.step(112, [&] {
                // A list emptied under the run leaves the bar as it stands; rows removed under
                // it never push the bar past its end.
                if (files_.count() > 0)
                    progress_.setValue(std::min(100.0, static_cast<double>(i) / files_.count() * 100));
            });
            guard.step(114, [&] { window_.setPointer(PointerKind::Busy); });
            // A row removed under the run prints nothing in its pass, rather than the file of
            // the pass before.
            std::optional<std::string> path;
            guard.step(116, [&] { path = files_.text(i); });
            guard.step(118, [&] { window_.setPointer(PointerKind::Busy); });
            guard.step(120, [&] { services_.eventPump.processEvents(); });
            guard.step(122, [&] {
                if (!path)
                    return;
                std::function<void()> checkPrinter;
                if (chosenPrinter)
                    checkPrinter = [&] { EnsureDefaultPrinter(services_.printers, *chosenPrinter); };
                DoItByFile(services_, reports_, *path, checkPrinter);
            });
            guard.step(124, [&] { PauseSeconds(services_.eventPump, services_.clock, 2); });
            guard.step(126, [&] { window_.setPointer(PointerKind::Busy); });
        }
        guard.step(130, [&] { savedDefault.putBack(); });
        guard.step(132, [&] { ShowNotice(services_.messageBoxes, "Done."); });
    } else {
        guard.step(134, [&] { ShowNotice(services_.messageBoxes, "No files added."); });
    }
    guard.step(136, [&] { progress_.setValue(0); });
    guard.step(138, [&] { window_.setPointer(PointerKind::Default); });
}

void PrintRun::putBackDefaultPrintersNow()
{
    for (auto run = runsInProgress_.rbegin(); run != runsInProgress_.rend(); ++run)
        (*run)->putBackQuietly();
}

}  // namespace pv
