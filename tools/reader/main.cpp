// Stand-in for the PDF reader on Linux. Called as
//     AcroRd32.exe /p /h FILE
// it sends FILE unchanged to the user's default CUPS destination and exits 0 once the
// scheduler has accepted the job. Any other outcome ends with one line on stderr and a
// non-zero exit status.

#include <cups/cups.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr int kUsageError = 2;
constexpr int kPrintError = 1;

// The text with control characters replaced, so that a message stays on one line.
std::string oneLine(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    }
    return out;
}

int fail(const std::string& message)
{
    std::fprintf(stderr, "AcroRd32.exe: %s\n", oneLine(message).c_str());
    return kPrintError;
}

// The job title: the file's base name. CUPS records a title that is not valid UTF-8 as
// "Untitled".
std::string jobTitle(std::string_view path)
{
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// Empty when the path names a regular file that can be opened for reading, otherwise why not.
std::string unreadableReason(const char* path)
{
    // O_NONBLOCK: opening a FIFO must not hang the reader.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    struct stat info {};
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    return regular ? "" : "not a regular file";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || std::strcmp(argv[1], "/p") != 0 || std::strcmp(argv[2], "/h") != 0) {
        std::fputs("usage: AcroRd32.exe /p /h FILE\n", stderr);
        return kUsageError;
    }
    const char* path = argv[3];

    if (const std::string reason = unreadableReason(path); !reason.empty())
        return fail("cannot read \"" + std::string(path) + "\": " + reason);

    // One connection for every request, opened first so that an unreachable scheduler is
    // told apart from a missing default.
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
    if (!http)
        return fail(std::string("the print system (CUPS at ") + cupsServer() +
                    ") cannot be reached: " + cupsLastErrorString());

    cups_dest_t* dest = cupsGetNamedDest(http, nullptr, nullptr);
    if (!dest) {
        const std::string reason = cupsLastErrorString();
        httpClose(http);
        return fail("no default printer: " + reason);
    }

    // The destination's own options (those of an lpoptions instance included), and the
    // format named outright so that a queue without a driver takes the bytes unchanged.
    cups_option_t* options = nullptr;
    int optionCount = 0;
    for (int i = 0; i < dest->num_options; ++i)
        optionCount = cupsAddOption(dest->options[i].name, dest->options[i].value, optionCount, &options);
    optionCount = cupsAddOption("document-format", CUPS_FORMAT_PDF, optionCount, &options);

    const std::string printer = dest->name;
    const int job = cupsPrintFile2(http, printer.c_str(), path, jobTitle(path).c_str(), optionCount, options);
    cupsFreeOptions(optionCount, options);
    cupsFreeDests(1, dest);
    httpClose(http);
    if (job <= 0)
        return fail("printer \"" + printer + "\" refused \"" + path + "\": " + cupsLastErrorString());
    return 0;
}
