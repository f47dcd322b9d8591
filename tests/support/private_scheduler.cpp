#include "support/private_scheduler.h"

#include <cups/cups.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace pv::testing {

namespace fs = std::filesystem;

fs::path PrivateSchedulerTest::schedulerDir()
{
    const char* dir = std::getenv("PRESSVALE_CUPSD_DIR");
    if (!dir || !*dir) {
        std::fputs("PRESSVALE_CUPSD_DIR names no scheduler folder: run these tests through ctest\n", stderr);
        std::abort();
    }
    return dir;
}

fs::path PrivateSchedulerTest::jobFolder(const std::string& printer)
{
    return schedulerDir() / "jobs" / printer;
}

fs::path PrivateSchedulerTest::userLpoptions()
{
    return schedulerDir() / "home" / ".cups" / "lpoptions";
}

void PrivateSchedulerTest::SetUp()
{
    UsePrivateScheduler();
}

void UsePrivateScheduler()
{
    const fs::path dir = PrivateSchedulerTest::schedulerDir();
    ASSERT_TRUE(fs::exists(dir / "cups.sock"))
        << "the private scheduler is not running; run the tests through ctest, or start it "
           "with scripts/lib/private_cupsd.sh start "
        << dir;

    // The environment that private_cupsd.sh prints, set before the first CUPS call (the
    // library reads HOME and CUPS_SERVERROOT once per thread).
    setenv("HOME", (dir / "home").c_str(), 1);
    setenv("CUPS_SERVERROOT", (dir / "etc").c_str(), 1);
    PrivateSchedulerTest::pointClientAt((dir / "cups.sock").string());
    unsetenv("LPDEST");
    unsetenv("PRINTER");
    // A print run's switch record, and its autostart entry, go below that home too.
    unsetenv("XDG_STATE_HOME");
    unsetenv("XDG_CONFIG_HOME");
    fs::remove(PrivateSchedulerTest::userLpoptions());
    fs::remove_all(dir / "home" / ".local" / "state" / "pressvale");
    // Nor a system-wide default left by an earlier test (as root, `lpoptions -d` writes it).
    fs::remove(dir / "etc" / "lpoptions");
}

void PrivateSchedulerTest::pointClientAt(const std::string& server)
{
    setenv("CUPS_SERVER", server.c_str(), 1);
    cupsSetServer(server.c_str());
}

std::string commandOutput(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    pclose(pipe);
    return output;
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    // The user's CUPS folder exists only once the client library has written to it.
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace pv::testing
