#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/command_line.h"

namespace pv {
namespace {

using Arguments = std::vector<std::string>;

struct SplitCase {
    std::string line;
    Arguments expected;
};

// How Windows splits these lines, as observed on Windows itself.
const std::vector<SplitCase> kSplitCases = {
    // Blanks and tabs separate; other white space does not; runs count as one.
    {"exe", {"exe"}},
    {"exe a  b\tc ", {"exe", "a", "b", "c"}},
    {"exe three\tfour\rfour\nfour ", {"exe", "three", "four\rfour\nfour"}},
    {R"(exe 'four five` six\ $(even) %TMP% a^b c|d)",
     {"exe", "'four", "five`", R"(six\)", "$(even)", "%TMP%", "a^b", "c|d"}},
    // Quotes group and may sit anywhere in an argument; an unclosed run lasts to the end.
    {R"(exe arg"one" "second"arg "a b")", {"exe", "argone", "secondarg", "a b"}},
    {R"(exe arg1 "unclosed  run)", {"exe", "arg1", "unclosed  run"}},
    {R"(exe arg1 ")", {"exe", "arg1", ""}},
    {R"(exe "" x)", {"exe", "", "x"}},
    // Backslashes not followed by a quote are plain, quoted or not.
    {R"(exe o\ne t\\wo "t\\\ree" f\\\\our\)", {"exe", R"(o\ne)", R"(t\\wo)", R"(t\\\ree)", R"(f\\\\our\)"}},
    // Before a quote: 2n backslashes give n and a delimiting quote, 2n+1 give n and a literal one.
    {R"(exe \"one \\"two" \\\"three \\\\"four" end)",
     {"exe", R"("one)", R"(\two)", R"(\"three)", R"(\\four)", "end"}},
    {R"(exe "one\" still" "two\\" "three\\\" still" end)",
     {"exe", R"(one" still)", R"(two\)", R"(three\" still)", "end"}},
    // Consecutive quotes outside a run: 3n give n quotes, 3n+1 also open a run.
    {R"(exe two""quotes next)", {"exe", "twoquotes", "next"}},
    {R"(exe three"""quotes next)", {"exe", R"(three"quotes)", "next"}},
    {R"(exe four"""" quotes" next)", {"exe", R"(four" quotes)", "next"}},
    {R"(exe six""""""quotes next)", {"exe", R"(six""quotes)", "next"}},
    // Inside a run the opening quote counts too: "" is a literal quote and closes the run.
    {R"(exe "two""quotes next)", {"exe", R"(two"quotes)", "next"}},
    {R"(exe "two"" next)", {"exe", R"(two")", "next"}},
    {R"(exe "three""" quotes" next)", {"exe", R"(three" quotes)", "next"}},
    {R"(exe "four""""quotes next)", {"exe", R"(four"quotes)", "next"}},
    {R"(exe "five"""""quotes next)", {"exe", R"(five""quotes)", "next"}},
    {R"(exe "the crazy \\"""\\" quotes)", {"exe", R"(the crazy \"\)", "quotes"}},
    // The program name: backslashes are plain, quotes are plain unless it starts with one,
    // and then the next quote ends it even inside a word.
    {R"(exe"file"path arg1)", {R"(exe"file"path)", "arg1"}},
    {"exe\"file\"path\targ1", {R"(exe"file"path)", "arg1"}},
    {R"(exe"path\ arg1)", {R"(exe"path\)", "arg1"}},
    {R"(\"exe "arg one")", {R"(\"exe)", "arg one"}},
    {R"("C:\Program Files\x.exe" "next arg")", {R"(C:\Program Files\x.exe)", "next arg"}},
    {R"("C:\dir\\" /p)", {R"(C:\dir\\)", "/p"}},
    {R"("exe"arg" one" argtwo)", {"exe", "arg one", "argtwo"}},
    {R"("spaced exe\"arg1 arg2)", {R"(spaced exe\)", "arg1", "arg2"}},
    {R"("two"" arg1 )", {"two", " arg1 "}},
    {R"("three""" arg2)", {"three", "", "arg2"}},
    {R"("four""""arg1)", {"four", R"("arg1)"}},
    {R"("unclosed exe name)", {"unclosed exe name"}},
    // A leading blank leaves the program name empty; an empty line names nothing.
    {R"( "arg"one argtwo)", {"", "argone", "argtwo"}},
    {"   ", {""}},
    {"", {}},
};

TEST(SplitCommandLine, FollowsTheWindowsRules)
{
    for (const SplitCase& c : kSplitCases)
        EXPECT_EQ(SplitCommandLine(c.line), c.expected) << "line: [" << c.line << "]";
}

// The reader's command line as the per-file print builds it.
std::string ReaderLine(const std::string& reader, const std::string& file)
{
    return QuoteArgument(reader) + " /p /h " + QuoteArgument(file);
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
    const std::vector<std::string> names = {
        "",
        " ",
        "\"",
        "\"\"",
        "\"\"\"",
        "\\",
        "\\\\\"",
        "\"\\",
        "/tmp/quote\"inside.pdf",
        "/tmp/ends with backslash\\",
        "/tmp/ends with backslashes\\\\\\",
        "/tmp/\\\\\"\"\\\"run.pdf",
        "-p",
        "--help",
        "/tmp/$(rm -rf ~).pdf",
        "/tmp/`id`;echo $HOME|cat>x&.pdf",
        "/tmp/new\nline.pdf",
        "/tmp/tab\there.pdf",
        "  leading and trailing  ",
        "/tmp/\xff\xfe not utf-8 \x80.pdf",
        "/tmp/caf\xc3\xa9.pdf",
        std::string("/tmp/nul\0inside", 15),
    };
    for (const std::string& name : names) {
        EXPECT_EQ(SplitCommandLine(ReaderLine("/usr/libexec/reader", name)),
                  (Arguments{"/usr/libexec/reader", "/p", "/h", name}))
            << "name: [" << name << "] line: [" << ReaderLine("/usr/libexec/reader", name) << "]";
    }
}

// Random byte strings, heavy in the characters the rules care about.
class ByteStringGenerator {
public:
    std::string next(std::size_t maxLength)
    {
        static constexpr char kSpecial[] = {'"', '"', '\\', '\\', '\\', ' ', '\t', 'a', '\n', '\0'};
        std::string text(std::uniform_int_distribution<std::size_t>(0, maxLength)(engine_), ' ');
        for (char& c : text) {
            if (std::bernoulli_distribution(0.7)(engine_))
                c = kSpecial[std::uniform_int_distribution<std::size_t>(0, sizeof kSpecial - 1)(engine_)];
            else
                c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(engine_));
        }
        return text;
    }

private:
    std::mt19937 engine_{20240611};
};

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
}  // namespace pv
