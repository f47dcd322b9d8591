#pragma once

#include <string>

#include "failure/failure.h"
#include "services/dialogs.h"

namespace pv {

// The title of every message box that names none.
inline constexpr const char* kApplicationTitle = "Pressvale";

// The two report formats in which the program tells the user that something failed.
class ErrorReports {
public:
    ErrorReports(MessageBoxes& boxes, std::string supportAddress)
        : boxes_(boxes),
          supportAddress_(std::move(supportAddress))
    {}

    // The report of a failing step of a guarded procedure.
    void showErrorReport(const std::string& procedureId, int lineNumber, const Failure& failure);
    // The report of a failure to read the default printer.
    void showPrinterQueryReport(const Failure& failure);

    MessageBoxes& boxes() { return boxes_; }

private:
    MessageBoxes& boxes_;
    std::string supportAddress_;
};

std::string ComposeErrorReport(const std::string& procedureId, int lineNumber, const Failure& failure,
                               const std::string& supportAddress);
std::string ComposePrinterQueryReport(const Failure& failure);

// Shows `text` with an OK button, no icon and the application title.
void ShowNotice(MessageBoxes& boxes, const std::string& text);

}  // namespace pv
