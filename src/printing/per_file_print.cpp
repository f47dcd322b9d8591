#include "printing/per_file_print.h"

#include "base/guard.h"
#include "base/procedure_ids.h"
#include "platform/portable/command_line.h"
#include "platform/portable/run_and_wait.h"
#include "printing/reader_location.h"

namespace pv {
namespace {

constexpr const char* kPrintSwitches = " /p /h ";
constexpr const char* kReaderNotFound =
    "Adobe Acrobat could not be found.\r\rDo you have Acrobat installed in your Program Files folder?\r\r"
    "If no, please redownload and reinstall Acrobat to your Program Files folder -- C:\\Program Files\\Adobe for "
    "example.";

}  // namespace

std::string ReaderCommandLine(const std::string& readerPath, const std::string& fileName)
{
    return QuoteArgument(readerPath) + kPrintSwitches + QuoteArgument(fileName);
}

void DoItByFile(Services& services, ErrorReports& reports, const std::string& fileName,
                const std::function<void()>& beforeReaderStarts)
{
    Guard guard(procedure_id::kDoItByFile, reports);
    std::string programFiles;
    std::string readerPath;
    guard.step(100, [&] { programFiles = SpecialFolderPath(services.shell, kProgramFilesFolder); });
    guard.step(102,
               [&] { readerPath = FindReader(services.shell, services.fileSystem, services.eventPump, programFiles); });
    if (guard.test(104, [&] { return !readerPath.empty(); })) {
        guard.step(106, [&] {
            if (beforeReaderStarts)
                beforeReaderStarts();
            RunAndWait(services.processes, services.eventPump, ReaderCommandLine(readerPath, fileName));
        });
        return;
    }
    guard.step(108, [&] { ShowNotice(services.messageBoxes, kReaderNotFound); });
}

}  // namespace pv
