#include "platform/posix/posix_switch_record_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

#include "failure/failure.h"
#include "platform/posix/durable_file.h"

namespace pv {
namespace {

namespace fs = std::filesystem;

constexpr char kRecordName[] = "default-printer-switch";

// A folder of the XDG base directories: the variable when it holds an absolute path, else
// `fallback` below the home folder.
fs::path BaseFolder(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    if (value && value[0] == '/')
        return value;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/") / fallback;
}

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The process's start, unique across restarts: the boot's id and the start time in clock
// ticks after it (field 22 of /proc/PID/stat). Empty for a process that has ended, a zombie
// among them.
std::string StartOf(const std::string& processId)
{
    const std::string stat = ReadWhole("/proc/" + processId + "/stat");
    const std::size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos)
        return {};
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string state;
    std::string field;
    fields >> state;
    for (int number = 4; number <= 22 && fields >> field; ++number) {
    }
    if (state == "Z" || state == "X" || field.empty())
        return {};
    std::string boot = ReadWhole("/proc/sys/kernel/random/boot_id");
    boot.erase(boot.find_last_not_of('\n') + 1);
    return boot + "+" + field;
}

std::string HostName()
{
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    return name;
}

// The Exec value of a desktop entry that runs `program` with `argument`: the path quoted, its
// reserved characters escaped, and every backslash doubled again for the entry's string.
std::string ExecValue(const std::string& program, const std::string& argument)
{
    std::string quoted = "\"";
    for (const char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += "\" " + argument;
    std::string value;
    for (const char c : quoted)
        value += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return value;
}

}  // namespace

PosixSwitchRecordStore::PosixSwitchRecordStore(std::string guardProgram)
    : guardProgram_(std::move(guardProgram)),
      folder_(BaseFolder("XDG_STATE_HOME", ".local/state") / "pressvale"),
      loginEntry_(BaseFolder("XDG_CONFIG_HOME", ".config") / "autostart" / "pressvale-default-printer.desktop")
{}

PosixSwitchRecordStore::~PosixSwitchRecordStore()
{
    unlock();
}

bool PosixSwitchRecordStore::lock() noexcept
{
    std::error_code error;
    if (fs::create_directories(folder_, error))
        fs::permissions(folder_, fs::perms::owner_all, error);
    const std::string path = (folder_ / kRecordName).string() + ".lock";
    lock_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock_ < 0)
        return false;
    int result = 0;
    while ((result = flock(lock_, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (result != 0)
        unlock();
    return lock_ >= 0;
}

void PosixSwitchRecordStore::unlock() noexcept
{
    if (lock_ >= 0)
        close(std::exchange(lock_, -1));
}

std::optional<std::string> PosixSwitchRecordStore::read()
{
    std::error_code error;
    if (!fs::exists(folder_ / kRecordName, error))
        return std::nullopt;
    return ReadWhole(folder_ / kRecordName);
}

void PosixSwitchRecordStore::write(const std::string& text)
{
    std::error_code error;
    if (!fs::exists(loginEntry_, error)) {
        // Hidden from menus; a desktop that reads the entry runs the guard once at log-in.
        const std::string entry = "[Desktop Entry]\nType=Application\nName=Pressvale default printer\n"
                                  "Comment=Puts back the default printer that an ended print run changed\n"
                                  "Exec=" +
                                  ExecValue(guardProgram_, kRestoreSwitch) +
                                  "\nNoDisplay=true\nX-GNOME-Autostart-enabled=true\n";
        if (const int failure = ReplaceFileDurably(loginEntry_, entry))
            throw Failure("Cannot write \"" + loginEntry_.string() + "\": " + std::strerror(failure), failure);
    }
    if (const int failure = ReplaceFileDurably(folder_ / kRecordName, text))
        throw Failure("Cannot write the default printer record: " + std::string(std::strerror(failure)), failure);
}

void PosixSwitchRecordStore::remove() noexcept
{
    std::error_code error;
    fs::remove(folder_ / kRecordName, error);
    removeLoginEntry();
}

void PosixSwitchRecordStore::removeLoginEntry() noexcept
{
    std::error_code error;
    fs::remove(loginEntry_, error);
}

switch_record::ProgramIdentity PosixSwitchRecordStore::self()
{
    return identify(getpid());
}

switch_record::ProgramIdentity PosixSwitchRecordStore::identify(long processId)
{
    const std::string id = std::to_string(processId);
    return {HostName(), std::to_string(getuid()), id, StartOf(id)};
}

bool PosixSwitchRecordStore::runs(const switch_record::ProgramIdentity& program)
{
    if (program.host != HostName())
        return true;
    if (program.processId.empty() || program.processId.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const std::string started = StartOf(program.processId);
    return !started.empty() && started == program.started;
}

}  // namespace pv
