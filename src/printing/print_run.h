#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/error_reports.h"
#include "file_list/file_list.h"
#include "services/services.h"
#include "window_contract/window_controls.h"

namespace pv {

// Returns once `seconds` have passed, the window processing its events all the while.
void PauseSeconds(EventPump& eventPump, Clock& clock, double seconds);

// "Start Printing": prints every row in list order on the printer chosen in the printer box,
// made the default printer for the run, while the progress bar shows each row's share; then
// puts the previous default back and says "Done.". Runs may nest (a click during a run). A run
// stops where it is when the program's event loop ends, and puts the previous default back
// as it unwinds; a program that ends without unwinding leaves that to the printer guard.
class PrintRun {
public:
    PrintRun(Services& services, ErrorReports& reports, FileList& files, WindowSurface& window, ComboBoxControl& combo,
             ProgressBarControl& progress)
        : services_(services),
          reports_(reports),
          files_(files),
          window_(window),
          combo_(combo),
          progress_(progress)
    {}

    void PushButton2_Click();

    // Puts back at once, the innermost run's first, the default printer that each run in
    // progress replaced, as each would on its way out; failures are passed over. For a process
    // that ends before its runs can unwind.
    void putBackDefaultPrintersNow();

private:
    Services& services_;
    ErrorReports& reports_;
    FileList& files_;
    WindowSurface& window_;
    ComboBoxControl& combo_;
    ProgressBarControl& progress_;
    class SavedDefault;
    std::vector<SavedDefault*> runsInProgress_;  // the outermost first
};

}  // namespace pv
