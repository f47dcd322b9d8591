#include "base/error_reports.h"

namespace pv {

std::string ComposeErrorReport(const std::string& procedureId, int lineNumber, const Failure& failure,
                               const std::string& supportAddress)
{
    return failure.description() + "\r\n" + procedureId + "at line " + std::to_string(lineNumber) + "\r\r" +
           "Please email screenshot of this message to " + supportAddress;
}

std::string ComposePrinterQueryReport(const Failure& failure)
{
    return "Error No: " + std::to_string(failure.code()) + "\r\n" + failure.description() + "\r\n" +
           "Has occured in modPrinters.GetDefaultPrinter" + "\r\n" + "Please contact Technical Support";
}

void ErrorReports::showErrorReport(const std::string& procedureId, int lineNumber, const Failure& failure)
{
    boxes_.show(ComposeErrorReport(procedureId, lineNumber, failure, supportAddress_), "Application Error",
                BoxButtons::Ok, BoxIcon::Exclamation);
}

void ErrorReports::showPrinterQueryReport(const Failure& failure)
{
    boxes_.show(ComposePrinterQueryReport(failure), kApplicationTitle, BoxButtons::Ok, BoxIcon::Critical);
}

void ShowNotice(MessageBoxes& boxes, const std::string& text)
{
    boxes.show(text, kApplicationTitle, BoxButtons::Ok, BoxIcon::None);
}

}  // namespace pv
