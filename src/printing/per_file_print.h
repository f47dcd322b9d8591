#pragma once

#include <functional>
#include <string>

#include "base/error_reports.h"
#include "services/services.h"

namespace pv {

// The reader's command line: reader and file each in double quotes, the print switches
// between them. Names that hold quotes or end in a backslash are quoted so that the line
// splits back into exactly these two paths.
std::string ReaderCommandLine(const std::string& readerPath, const std::string& fileName);

// Prints one file: finds the reader afresh (FindReader), starts it on the file and returns once
// it has ended. Without a reader it says so and returns. A guarded procedure.
// `beforeReaderStarts`, when given, runs right before the reader is started; a failure it
// throws is reported and the reader is not started.
void DoItByFile(Services& services, ErrorReports& reports, const std::string& fileName,
                const std::function<void()>& beforeReaderStarts = {});

}  // namespace pv
