// The command-line splitter and QuoteArgument against the system's own splitting,
// CommandLineToArgvW, on the lines and names of the portable tests and on random lines.
#include <windows.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>

#include "command_line_cases.h"
#include "platform/win32_support/wide_text.h"

namespace pv::testing {
namespace {

// The arguments as the system splits `line`, in the core's text.
Arguments SystemSplit(const std::string& line)
{
    int count = 0;
    wchar_t** split = CommandLineToArgvW(win32::Wide(line).c_str(), &count);
    Arguments arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(win32::Utf8(split[i]));
    LocalFree(split);
    return arguments;
}

// `text` as the system holds it: bytes that are not WTF-8 become U+FFFD.
std::string AsSystemText(const std::string& text)
{
    return win32::Utf8(win32::Wide(text));
}

TEST(CommandLineAgainstTheSystem, SplitsEveryLineAsTheSystemDoes)
{
    for (const SplitCase& c : kSplitCases) {
        // For an empty line the system gives the calling program's own path.
        if (!c.line.empty()) {
            EXPECT_EQ(SystemSplit(c.line), c.expected) << "line: [" << c.line << "]";
        }
    }
    ByteStringGenerator generator;
    for (int i = 0; i < 5000; ++i) {
        // A command line ends at its first NUL.
        std::string line = generator.next(40);
        std::replace(line.begin(), line.end(), '\0', 'a');
        line = AsSystemText(line);
        if (!line.empty()) {
            ASSERT_EQ(SystemSplit(line), SplitCommandLine(line)) << "case " << i << " line: [" << line << "]";
        }
    }
}

TEST(CommandLineAgainstTheSystem, QuotedNamesComeBackWholeFromTheSystem)
{
    const std::string reader = R"(C:\Program Files (x86)\Adobe\Reader\AcroRd32.exe)";
    for (const std::string& hostile : kHostileNames) {
        const std::string name = AsSystemText(hostile);
        if (name.find('\0') == std::string::npos) {
            EXPECT_EQ(SystemSplit(ReaderLine(reader, name)), (Arguments{reader, "/p", "/h", name}))
                << "name: [" << name << "]";
        }
    }
}

}  // namespace
}  // namespace pv::testing
