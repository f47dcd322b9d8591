#include "platform/cups/user_lpoptions.h"

#include <pwd.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "failure/failure.h"

namespace pv {
namespace {

namespace fs = std::filesystem;

// One line of the file: "Dest|Default name[/instance] [options]"; other lines are kept whole.
struct OptionsLine {
    std::string keyword;
    std::string destination;
    std::string options;  // the rest of the line, as written
    std::string whole;

    bool isDestination() const { return isDefault() || strcasecmp(keyword.c_str(), "dest") == 0; }
    bool isDefault() const { return strcasecmp(keyword.c_str(), "default") == 0; }
    std::string text() const
    {
        if (!isDestination())
            return whole;
        return keyword + " " + destination + (options.empty() ? "" : " " + options);
    }
};

OptionsLine ParseLine(const std::string& text)
{
    OptionsLine line;
    line.whole = text;
    std::istringstream words(text);
    words >> line.keyword >> line.destination;
    std::getline(words >> std::ws, line.options);
    return line;
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
    std::ifstream in(UserLpoptionsPath());
    for (std::string text; std::getline(in, text);) {
        OptionsLine line = ParseLine(text);
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
    std::vector<OptionsLine> lines;
    bool named = false;
    {
        std::ifstream in(path);
        for (std::string text; std::getline(in, text);) {
            OptionsLine line = ParseLine(text);
            if (line.isDestination()) {
                const bool chosen = strcasecmp(line.destination.c_str(), name.c_str()) == 0;
                line.keyword = chosen ? "Default" : "Dest";
                named = named || chosen;
                // A line that is neither the default nor holds options says nothing.
                if (!chosen && line.options.empty())
                    continue;
            }
            lines.push_back(std::move(line));
        }
    }
    if (!named && !name.empty())
        lines.push_back(OptionsLine{"Default", name, "", ""});

    std::string text;
    for (const OptionsLine& line : lines)
        text += line.text() + '\n';

    // Written beside the file, under a name of its own (a printer guard or another instance of
    // the program may write at the same time), and renamed over it, so that the file is never
    // half written nor a mix of two writes.
    std::error_code error;
    if (fs::create_directories(path.parent_path(), error))
        fs::permissions(path.parent_path(), fs::perms::owner_all, error);
    if (error)
        ThrowWriteFailure(path.parent_path(), error.value());
    std::string part = path.string() + ".XXXXXX";
    const int fd = mkstemp(part.data());
    if (fd < 0)
        ThrowWriteFailure(path, errno);
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = write(fd, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        written += static_cast<std::size_t>(count);
    }
    const int writeError = written < text.size() ? (errno ? errno : EIO) : 0;
    if (close(fd) != 0 || writeError != 0 || std::rename(part.c_str(), path.c_str()) != 0) {
        const int failure = writeError ? writeError : errno;
        fs::remove(part, error);
        ThrowWriteFailure(path, failure);
    }
}

}  // namespace pv
