#pragma once

#include <optional>
#include <string>

#include "base/error_reports.h"
#include "filelist/file_list.h"
#include "platform/services.h"
#include "platform/window_controls.h"

namespace pv {

// Returns once `seconds` have passed, the window processing its events all the while.
void PauseSeconds(EventPump& eventPump, Clock& clock, double seconds);

// "Start Printing": prints every row in list order on the printer chosen in the printer box,
// made the default printer for the run, while the progress bar shows each row's share; then
// puts the previous default back and says "Done.". Runs may nest (a click during a run).
class PrintRun {
public:
    PrintRun(Services& services, ErrorReports& reports, FileList& files, WindowSurface& window,
             ComboBoxControl& combo, ProgressBarControl& progress)
        : services_(services), reports_(reports), files_(files), window_(window), combo_(combo), progress_(progress)
    {
    }

    void PushButton2_Click();

    // Puts back the default printer (or no default) that the outermost run in progress
    // replaced, when it was read.
    // Called when the program ends in the middle of a run; failures are passed over.
    void restoreDefaultPrinter();

private:
    Services& services_;
    ErrorReports& reports_;
    FileList& files_;
    WindowSurface& window_;
    ComboBoxControl& combo_;
    ProgressBarControl& progress_;
    int runsInProgress_ = 0;
    std::optional<std::string> outermostSavedDefault_;
};

}  // namespace pv
