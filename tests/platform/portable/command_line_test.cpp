#include <gtest/gtest.h>

#include <string>

#include "command_line_cases.h"

namespace pv::testing {
namespace {

TEST(SplitCommandLine, FollowsTheWindowsRules)
{
    for (const SplitCase& c : kSplitCases)
        EXPECT_EQ(SplitCommandLine(c.line), c.expected) << "line: [" << c.line << "]";
}

TEST(QuoteArgument, PlainTextIsOnlyEnclosed)
{
    EXPECT_EQ(QuoteArgument(""), R"("")");
    EXPECT_EQ(QuoteArgument(R"(D:\Docs\My report.pdf)"), R"("D:\Docs\My report.pdf")");
    EXPECT_EQ(QuoteArgument("/home/ann/my report.pdf"), "\"/home/ann/my report.pdf\"");
    EXPECT_EQ(ReaderLine(R"(C:\Program Files\Adobe\Reader\AcroRd32.exe)", R"(D:\Docs\My report.pdf)"),
              R"("C:\Program Files\Adobe\Reader\AcroRd32.exe" /p /h "D:\Docs\My report.pdf")");
    EXPECT_EQ(SplitCommandLine(ReaderLine("/opt/libexec/Adobe/Reader/AcroRd32.exe", "/tmp/a b.pdf")),
              (Arguments{"/opt/libexec/Adobe/Reader/AcroRd32.exe", "/p", "/h", "/tmp/a b.pdf"}));
}

TEST(QuoteArgument, EscapesOnlyQuotesAndTheBackslashesBeforeThem)
{
    EXPECT_EQ(QuoteArgument(R"(a"b)"), R"("a\"b")");
    EXPECT_EQ(QuoteArgument(R"(a\\"b)"), R"("a\\\\\"b")");
    EXPECT_EQ(QuoteArgument(R"(dir\)"), R"("dir\\")");
    EXPECT_EQ(QuoteArgument(R"(a\b\\c)"), R"("a\b\\c")");
}

TEST(QuoteArgument, HostileFileNamesComeBackWhole)
{
    for (const std::string& name : kHostileNames) {
        EXPECT_EQ(SplitCommandLine(ReaderLine("/usr/libexec/reader", name)),
                  (Arguments{"/usr/libexec/reader", "/p", "/h", name}))
            << "name: [" << name << "] line: [" << ReaderLine("/usr/libexec/reader", name) << "]";
    }
}

// What can stand in the program-name position: no quote and no trailing backslash.
std::string AsProgramName(std::string text)
{
    std::erase(text, '"');
    while (!text.empty() && text.back() == '\\')
        text.pop_back();
    return text;
}

TEST(QuoteArgument, EveryByteStringRoundTrips)
{
    ByteStringGenerator generator;
    for (int i = 0; i < 20000; ++i) {
        const std::string program = AsProgramName(generator.next(12));
        const Arguments arguments = {program, generator.next(16), generator.next(16), generator.next(4)};
        std::string line = QuoteArgument(program);
        for (std::size_t a = 1; a < arguments.size(); ++a)
            line += " " + QuoteArgument(arguments[a]);
        ASSERT_EQ(SplitCommandLine(line), arguments) << "case " << i << " line: [" << line << "]";
        ASSERT_EQ(QuoteArgument(program), "\"" + program + "\"") << "case " << i;
    }
}

}  // namespace
}  // namespace pv::testing
