#include "platform/cups/user_lpoptions.h"

#include <pwd.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "failure/failure.h"
#include "platform/posix/durable_file.h"

namespace pv {
namespace {

namespace fs = std::filesystem;

// One line of the file, without its line end: "Dest|Default name[/instance] [options]"; a line
// is written back byte for byte unless its keyword changes, and then only the keyword does.
struct OptionsLine {
    std::string whole;
    std::size_t keywordStart = 0;
    std::size_t keywordEnd = 0;
    std::string destination;
    bool hasOptions = false;

    std::string keyword() const { return whole.substr(keywordStart, keywordEnd - keywordStart); }
    bool isDestination() const { return isDefault() || strcasecmp(keyword().c_str(), "dest") == 0; }
    bool isDefault() const { return strcasecmp(keyword().c_str(), "default") == 0; }
    void setKeyword(const std::string& keyword)
    {
        whole.replace(keywordStart, keywordEnd - keywordStart, keyword);
        keywordEnd = keywordStart + keyword.size();
    }
};

OptionsLine ParseLine(const std::string& text)
{
    OptionsLine line;
    line.whole = text;
    constexpr const char* kBlanks = " \t\r\v\f";
    line.keywordStart = std::min(text.find_first_not_of(kBlanks), text.size());
    line.keywordEnd = std::min(text.find_first_of(kBlanks, line.keywordStart), text.size());
    std::istringstream words(text.substr(line.keywordEnd));
    std::string options;
    words >> line.destination >> options;
    line.hasOptions = !options.empty();
    return line;
}

// The file's lines, and whether the last one ended with a line end.
std::vector<OptionsLine> ReadLines(const fs::path& path, bool& endsWithNewline)
{
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<OptionsLine> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        lines.push_back(ParseLine(text.substr(begin, end - begin)));
        begin = end + 1;
    }
    endsWithNewline = text.empty() || text.back() == '\n';
    return lines;
}

[[noreturn]] void ThrowWriteFailure(const fs::path& path, int error)
{
    throw Failure("Cannot save the default printer in \"" + path.string() + "\": " + std::strerror(error), error);
}

}  // namespace

fs::path UserLpoptionsPath()
{
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : "/";
    }
    return fs::path(home) / ".cups" / "lpoptions";
}

std::optional<std::string> ReadUserDefaultPrinter()
{
    // As CUPS reads the file, the last default line counts.
    std::optional<std::string> name;
    bool endsWithNewline = true;
    for (OptionsLine& line : ReadLines(UserLpoptionsPath(), endsWithNewline)) {
        if (line.isDefault() && !line.destination.empty())
            name = std::move(line.destination);
    }
    return name;
}

void WriteUserDefaultPrinter(const std::string& name)
{
    // A name with blanks or control characters would split or break the line.
    if (name.find_first_of(" \t\r\n\v\f") != std::string::npos)
        throw Failure("\"" + name + "\" is not a printer name.", failure_code::kPrinterNotFound);

    const fs::path path = UserLpoptionsPath();
    bool endsWithNewline = true;
    std::vector<OptionsLine> lines = ReadLines(path, endsWithNewline);
    std::string text;
    bool named = false;
    for (OptionsLine& line : lines) {
        if (line.isDestination()) {
            const bool chosen = strcasecmp(line.destination.c_str(), name.c_str()) == 0;
            named = named || chosen;
            if (chosen && !line.isDefault()) {
                line.setKeyword("Default");
            } else if (!chosen && line.isDefault()) {
                // The former default keeps its options as an ordinary line; without any, the
                // line would say nothing.
                if (!line.hasOptions)
                    continue;
                line.setKeyword("Dest");
            }
        }
        text += line.whole + '\n';
    }
    if (!endsWithNewline && !text.empty())
        text.pop_back();
    if (!named && !name.empty())
        text += std::string(endsWithNewline ? "" : "\n") + "Default " + name + '\n';

    if (const int error = ReplaceFileDurably(path, text))
        ThrowWriteFailure(path, error);
}

}  // namespace pv
