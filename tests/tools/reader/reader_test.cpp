#include <gmock/gmock.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "platform/cups/cups_printers.h"
#include "support/private_scheduler.h"

namespace pv::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

struct ReaderOutcome {
    int exitStatus = -1;
    std::string stderrText;
};

// Runs the reader stand-in with `args` and the variables of `env` added to its environment.
ReaderOutcome runReader(const std::vector<std::string>& args,
                        const std::vector<std::pair<std::string, std::string>>& env = {})
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDERR_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        for (const auto& [name, value] : env)
            setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(PRESSVALE_READER)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(PRESSVALE_READER, argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    ReaderOutcome outcome;
    char buffer[1024];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        outcome.stderrText.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

std::set<fs::path> jobFiles(const fs::path& folder)
{
    std::set<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".job")
            files.insert(entry.path());
    }
    return files;
}

// The first job file that appears in `folder` beside `before`, waiting up to 10 s.
fs::path waitForNewJob(const fs::path& folder, const std::set<fs::path>& before)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        for (const fs::path& file : jobFiles(folder)) {
            if (!before.count(file))
                return file;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

class ReaderTest : public PrivateSchedulerTest {
protected:
    void SetUp() override
    {
        PrivateSchedulerTest::SetUp();
        char pattern[] = "/tmp/pressvale-reader-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }

    void TearDown() override
    {
        if (!folder_.empty())
            fs::remove_all(folder_);
    }

    fs::path folder_;
};

// "%PDF", every byte value, a NUL-laden tail: anything a filter would alter shows up.
std::string samplePdfBytes()
{
    std::string bytes = "%PDF-1.4\n";
    for (int value = 0; value < 256; ++value)
        bytes.push_back(static_cast<char>(value));
    bytes += std::string(3, '\0') + "\n%%EOF\n";
    return bytes;
}

TEST_F(ReaderTest, PrintsAHostileNameUnchangedOnTheUsersDefault)
{
    // The user's default (beta), not the scheduler's (alpha), is where the job must go.
    CupsPrinters().setDefault("beta");
    const fs::path file = folder_ / "-odd \"quoted\" 'name' \\ \xff\xfe r\xe9sum\xe9.pdf";
    const std::string bytes = samplePdfBytes();
    writeFile(file, bytes);
    const auto before = jobFiles(jobFolder("beta"));
    const auto alphaBefore = jobFiles(jobFolder("alpha"));

    const ReaderOutcome outcome = runReader({"/p", "/h", file.string()});
    ASSERT_EQ(outcome.exitStatus, 0) << outcome.stderrText;
    EXPECT_EQ(outcome.stderrText, "");

    const fs::path job = waitForNewJob(jobFolder("beta"), before);
    ASSERT_FALSE(job.empty()) << "no job arrived on beta within 10 s";
    EXPECT_EQ(readFile(job), bytes);
    EXPECT_EQ(jobFiles(jobFolder("alpha")), alphaBefore);
}

TEST_F(ReaderTest, FailsWithOneLineWithoutADefaultPrinter)
{
    const fs::path file = folder_ / "a.pdf";
    writeFile(file, samplePdfBytes());
    const ReaderOutcome outcome = runReader({"/p", "/h", file.string()}, {{"LPDEST", "nosuch"}});
    EXPECT_NE(outcome.exitStatus, 0);
    EXPECT_THAT(outcome.stderrText, MatchesRegex("AcroRd32.exe: no default printer: [^\n]*\n"));
}

TEST_F(ReaderTest, FailsWithOneLineWhenTheSchedulerCannotBeReached)
{
    const fs::path file = folder_ / "a.pdf";
    writeFile(file, samplePdfBytes());
    const std::string missing = (schedulerDir() / "missing.sock").string();
    const ReaderOutcome outcome = runReader({"/p", "/h", file.string()}, {{"CUPS_SERVER", missing}});
    EXPECT_NE(outcome.exitStatus, 0);
    EXPECT_THAT(outcome.stderrText, MatchesRegex("AcroRd32.exe: [^\n]*cannot be reached[^\n]*\n"));
    EXPECT_THAT(outcome.stderrText, HasSubstr(missing));
}

TEST_F(ReaderTest, RefusesWhatItCannotReadOrUnderstand)
{
    const auto before = jobFiles(jobFolder("alpha"));
    const fs::path fifo = folder_ / "pipe.pdf";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string missing = (folder_ / "line\nbreak.pdf").string();

    for (const std::string& path : {missing, folder_.string(), fifo.string()}) {
        const ReaderOutcome outcome = runReader({"/p", "/h", path});
        EXPECT_EQ(outcome.exitStatus, 1) << path;
        EXPECT_THAT(outcome.stderrText, MatchesRegex("AcroRd32.exe: cannot read [^\n]*\n")) << path;
    }
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"/p", (folder_ / "a.pdf").string()},
                                                 {"/h", "/p", "x.pdf"},
                                                 {"/p", "/h", "x.pdf", "extra"}}) {
        const ReaderOutcome outcome = runReader(args);
        EXPECT_EQ(outcome.exitStatus, 2);
        EXPECT_EQ(outcome.stderrText, "usage: AcroRd32.exe /p /h FILE\n");
    }
    EXPECT_EQ(jobFiles(jobFolder("alpha")), before);
}

}  // namespace
}  // namespace pv::testing
