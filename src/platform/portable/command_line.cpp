#include "platform/portable/command_line.h"

// The splitting follows CommandLineToArgvW as Windows implements it, including its lesser-known
// turns: the program name has rules of its own, and a run of quotes that follows a quote counts
// in threes (every third quote is literal).
//
// QuoteArgument writes the form that SplitCommandLine reads back unchanged in any position
// after the program name, for every byte string. In the program-name position backslashes
// are literal and the name ends at the next quote, so a name comes back unchanged there only
// when it holds no quote and does not end in a backslash (then QuoteArgument adds nothing but
// the two quotes); a program path with a quote in it cannot be written at all on Windows. The
// paths this program starts hold neither.

namespace pv {
namespace {

constexpr char kQuote = '"';
constexpr char kBackslash = '\\';

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(std::string_view line, std::size_t pos)
{
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    return pos;
}

// The program name: up to the next quote when it starts with one, otherwise up to the first
// blank. Backslashes are plain characters in it. Returns the position after the name.
std::size_t TakeProgramName(std::string_view line, std::string& name)
{
    if (line.front() == kQuote) {
        const std::size_t close = line.find(kQuote, 1);
        name = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        return close == std::string_view::npos ? line.size() : close + 1;
    }
    const std::size_t blank = line.find_first_of(" \t");
    name = line.substr(0, blank);
    return blank == std::string_view::npos ? line.size() : blank;
}

// Quotes that directly follow a quote. `quotes` counts the quotes of the current run,
// the opening quote of a quoted run included: every third gives a literal quote, and at the
// end of the run a count of 1 means "inside a quoted run". Returns the position after them.
std::size_t TakeFollowingQuotes(std::string_view line, std::size_t pos, int& quotes, std::string& argument)
{
    for (; pos < line.size() && line[pos] == kQuote; ++pos) {
        if (++quotes == 3) {
            argument += kQuote;
            quotes = 0;
        }
    }
    if (quotes == 2)
        quotes = 0;
    return pos;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine)
{
    // Windows substitutes the calling program's own path for an empty line; a line that names
    // no program names nothing to start here.
    std::vector<std::string> arguments;
    if (commandLine.empty())
        return arguments;

    std::string argument;
    std::size_t pos = SkipBlanks(commandLine, TakeProgramName(commandLine, argument));
    arguments.push_back(std::move(argument));
    if (pos == commandLine.size())
        return arguments;

    argument.clear();
    int quotes = 0;  // 1 inside a quoted run, 0 outside
    while (pos < commandLine.size()) {
        const char c = commandLine[pos];
        if (IsBlank(c) && quotes == 0) {
            arguments.push_back(std::move(argument));
            argument.clear();
            pos = SkipBlanks(commandLine, pos);
            if (pos == commandLine.size())
                return arguments;
        } else if (c == kBackslash) {
            std::size_t end = commandLine.find_first_not_of(kBackslash, pos);
            if (end == std::string_view::npos)
                end = commandLine.size();
            const std::size_t count = end - pos;
            if (end == commandLine.size() || commandLine[end] != kQuote) {
                argument.append(count, kBackslash);
                pos = end;
                continue;
            }
            // Before a quote, 2n backslashes give n and the quote counts as a quote;
            // 2n+1 give n and a literal quote.
            argument.append(count / 2, kBackslash);
            if (count % 2 == 0)
                ++quotes;
            else
                argument += kQuote;
            pos = TakeFollowingQuotes(commandLine, end + 1, quotes, argument);
        } else if (c == kQuote) {
            ++quotes;
            pos = TakeFollowingQuotes(commandLine, pos + 1, quotes, argument);
        } else {
            argument += c;
            ++pos;
        }
    }
    arguments.push_back(std::move(argument));
    return arguments;
}

std::string QuoteArgument(std::string_view argument)
{
    std::string quoted;
    quoted.reserve(argument.size() + 2);
    quoted += kQuote;
    std::size_t backslashes = 0;  // the run of backslashes just written
    for (const char c : argument) {
        if (c == kQuote) {
            // 2n+1 backslashes before a quote read back as n backslashes and a literal quote.
            quoted.append(backslashes + 1, kBackslash);
        }
        backslashes = c == kBackslash ? backslashes + 1 : 0;
        quoted += c;
    }
    // Doubled, a trailing run reads back whole and leaves the closing quote a delimiter.
    quoted.append(backslashes, kBackslash);
    quoted += kQuote;
    return quoted;
}

}  // namespace pv
