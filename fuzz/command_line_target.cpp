#include <string>
#include <vector>

#include "platform/portable/command_line.h"
#include "targets.h"

namespace pv::fuzz {

// The input is read as up to two arguments, split at the first NUL byte (the second may be
// absent). Besides the round trips, splitting the raw input must simply not fail.
void FuzzCommandLine(std::string_view input)
{
    const std::vector<std::string> raw = SplitCommandLine(input);
    Expect(raw.empty() == input.empty(), "a non-empty line names at least a program");

    const std::size_t nul = input.find('\0');
    const std::string_view first = input.substr(0, nul);
    const std::string argument(input);

    Expect(SplitCommandLine("reader " + QuoteArgument(argument)) == std::vector<std::string>{"reader", argument},
           "a quoted argument comes back unchanged");

    // As the reader is started: switches, then the quoted file name.
    const std::vector<std::string> printLine = SplitCommandLine("reader /p /h " + QuoteArgument(argument));
    Expect(printLine.size() == 4 && printLine[1] == "/p" && printLine[2] == "/h" && printLine[3] == argument,
           "the print command line splits into the reader, two switches and the file name");

    if (nul != std::string_view::npos) {
        const std::string second(input.substr(nul + 1));
        const std::vector<std::string> expected{"reader", std::string(first), second};
        Expect(SplitCommandLine("reader " + QuoteArgument(first) + " " + QuoteArgument(second)) == expected,
               "two quoted arguments after a blank come back unchanged");
        Expect(SplitCommandLine("reader\t" + QuoteArgument(first) + "\t \t" + QuoteArgument(second)) == expected,
               "tabs separate arguments as blanks do");
    }

    // In the program-name position only names without quotes and without a trailing
    // backslash come back; for them QuoteArgument adds nothing but the two quotes.
    if (first.find('"') == std::string_view::npos && !first.ends_with('\\')) {
        Expect(QuoteArgument(first) == "\"" + std::string(first) + "\"", "a plain argument is only put in quotes");
        const std::vector<std::string> started = SplitCommandLine(QuoteArgument(first) + " /p");
        Expect(started.size() == 2 && started[0] == first && started[1] == "/p",
               "a quoted program name comes back unchanged");
    }
}

}  // namespace pv::fuzz
