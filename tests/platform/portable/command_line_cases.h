#pragma once

// Command lines and arguments that both the portable tests of the splitter and the Windows
// build's comparison with the system's own splitting use.

#include <random>
#include <string>
#include <vector>

#include "platform/portable/command_line.h"

namespace pv::testing {

using Arguments = std::vector<std::string>;

struct SplitCase {
    std::string line;
    Arguments expected;
};

// How Windows splits these lines, as observed on Windows itself.
inline const std::vector<SplitCase> kSplitCases = {
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
    {R"(exe \"one \\"two" \\\"three \\\\"four" end)", {"exe", R"("one)", R"(\two)", R"(\"three)", R"(\\four)", "end"}},
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

// The reader's command line as the per-file print builds it.
inline std::string ReaderLine(const std::string& reader, const std::string& file)
{
    return QuoteArgument(reader) + " /p /h " + QuoteArgument(file);
}

// File names that a careless or hostile user may give, for QuoteArgument to carry whole.
inline const std::vector<std::string> kHostileNames = {
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
    "/tmp/\xe6\x97\xa5\xe6\x9c\xac \xed\xa0\x80.pdf",  // CJK and a lone surrogate (WTF-8)
    std::string("/tmp/nul\0inside", 15),
};

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

}  // namespace pv::testing
