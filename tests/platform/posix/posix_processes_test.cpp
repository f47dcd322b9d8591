#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "failure/failure.h"
#include "platform/portable/command_line.h"
#include "platform/posix/posix_processes.h"
#include "support/contract/processes_contract.h"

extern char** environ;

namespace pv {
namespace {

using namespace std::chrono_literals;

class PosixProcessesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pv-processes-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // A command line that runs `script` with /bin/sh, the output file as $0 and `arguments`.
    std::string shellLine(const std::string& script, const std::vector<std::string>& arguments = {})
    {
        std::string line = QuoteArgument("/bin/sh") + " -c " + QuoteArgument(script) + " " + QuoteArgument(output());
        for (const std::string& argument : arguments)
            line += " " + QuoteArgument(argument);
        return line;
    }

    std::string output() const { return (folder_ / "output").string(); }

    std::string readOutput() const
    {
        std::ifstream in(output(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Polls until the process has ended; returns its status and closes the handle.
    std::int32_t waitFor(std::int64_t processId)
    {
        const auto handle = processes_.open(processId);
        EXPECT_TRUE(handle.has_value());
        if (!handle)
            return kStillActive;
        std::int32_t status = kStillActive;
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (processes_.exitStatus(*handle, status) && status == kStillActive &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(2ms);
        processes_.close(*handle);
        return status;
    }

    long startFailureCode(const std::string& commandLine)
    {
        try {
            processes_.start(commandLine, 6);
        } catch (const Failure& failure) {
            return failure.code();
        }
        ADD_FAILURE() << "started: [" << commandLine << "]";
        return 0;
    }

    // Whether the child is gone for good, asked without collecting it.
    static bool collected(pid_t processId)
    {
        siginfo_t info{};
        return waitid(P_PID, static_cast<id_t>(processId), &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD;
    }

    std::filesystem::path folder_;
    PosixProcesses processes_;
};

TEST_F(PosixProcessesTest, ArgumentsReachTheProgramUnchanged)
{
    const std::vector<std::string> arguments = {
        "/p",
        "/h",
        "/tmp/my report.pdf",
        "-rf",
        "$(touch pwned)",
        "`id`;|&>",
        "quote\"inside",
        "ends\\",
        "\\\\\"\\",
        "new\nline\ttab",
        "\xff\xfe\x80",
        "",
        " ",
    };
    const std::string script = R"(for a; do printf '%s\0' "$a"; done > "$0")";
    EXPECT_EQ(waitFor(processes_.start(shellLine(script, arguments), 6)), 0);

    std::string expected;
    for (const std::string& argument : arguments)
        expected += argument + '\0';
    EXPECT_EQ(readOutput(), expected);
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST_F(PosixProcessesTest, RunsInTheCurrentFolderAndEnvironment)
{
    ASSERT_EQ(setenv("PV_PROCESSES_TEST", "marker value", 1), 0);
    EXPECT_EQ(waitFor(processes_.start(shellLine(R"(pwd -P > "$0"; printf %s "$PV_PROCESSES_TEST" >> "$0")"), 0)), 0);
    unsetenv("PV_PROCESSES_TEST");
    EXPECT_EQ(readOutput(), std::filesystem::current_path().string() + "\nmarker value");
}

TEST_F(PosixProcessesTest, ReportsExitCodesAndSignals)
{
    EXPECT_EQ(waitFor(processes_.start("true", 6)), 0);  // found through PATH
    EXPECT_EQ(waitFor(processes_.start(R"("/bin/sh" -c "exit 3")", 6)), 3);
    EXPECT_EQ(waitFor(processes_.start(R"("/bin/sh" -c "exit 255")", 6)), 255);
    EXPECT_EQ(waitFor(processes_.start(R"("/bin/sh" -c "kill -KILL $$")", 6)), kSignalStatusBase + SIGKILL);
}

TEST_F(PosixProcessesTest, StartFailuresCarryTheErrorNumber)
{
    const std::string notExecutable = (folder_ / "plain file").string();
    std::ofstream(notExecutable) << "#!/bin/sh\n";
    chmod(notExecutable.c_str(), 0644);

    EXPECT_EQ(startFailureCode(R"("/nonexistent/Adobe/AcroRd32.exe" /p /h "x.pdf")"), ENOENT);
    EXPECT_EQ(startFailureCode("no-such-program-in-path"), ENOENT);
    EXPECT_EQ(startFailureCode(QuoteArgument(notExecutable)), EACCES);
    EXPECT_EQ(startFailureCode(QuoteArgument(folder_.string())), EACCES);
    EXPECT_EQ(startFailureCode(""), ENOENT);
    EXPECT_EQ(startFailureCode("   "), ENOENT);
    // An argument with a NUL would reach the program cut short.
    EXPECT_EQ(startFailureCode("true " + QuoteArgument(std::string("a\0b", 3))), EINVAL);
}

TEST_F(PosixProcessesTest, StatusIsKeptUntilTheHandleIsClosed)
{
    // The child runs until the test lets it end, so "still running" is certain when asked.
    const std::string release = (folder_ / "release").string();
    const std::int64_t processId =
        processes_.start(shellLine("while [ ! -e \"$1\" ]; do sleep 0.01; done; exit 7", {release}), 6);
    const auto handle = processes_.open(processId);
    ASSERT_TRUE(handle);
    std::int32_t status = 0;
    ASSERT_TRUE(processes_.exitStatus(*handle, status));
    EXPECT_EQ(status, kStillActive);

    std::ofstream{release};
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (processes_.exitStatus(*handle, status) && status == kStillActive &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(2ms);
    ASSERT_EQ(status, 7);
    EXPECT_TRUE(collected(static_cast<pid_t>(processId)));  // no zombie left behind
    status = 0;
    EXPECT_TRUE(processes_.exitStatus(*handle, status));
    EXPECT_EQ(status, 7);

    processes_.close(*handle);
    status = 0;
    EXPECT_FALSE(processes_.exitStatus(*handle, status));
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(processes_.open(processId));
}

TEST_F(PosixProcessesTest, OpensOnlyItsOwnChildren)
{
    EXPECT_FALSE(processes_.open(getpid()));
    EXPECT_FALSE(processes_.open(0));
    EXPECT_FALSE(processes_.open(-1));
    EXPECT_FALSE(processes_.open(std::int64_t{1} << 40));
    std::int32_t status = 0;
    EXPECT_FALSE(processes_.exitStatus(12345, status));
}

TEST_F(PosixProcessesTest, LeavesOtherChildrenToTheirOwner)
{
    pid_t foreign = 0;
    char program[] = "/bin/true";
    char* argv[] = {program, nullptr};
    ASSERT_EQ(posix_spawn(&foreign, program, nullptr, nullptr, argv, environ), 0);
    siginfo_t info{};  // wait until it has ended, leaving it to be collected
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(foreign), &info, WEXITED | WNOWAIT), 0);

    const std::int64_t own = processes_.start(R"("/bin/sh" -c "sleep 0.05")", 6);
    EXPECT_EQ(waitFor(own), 0);

    int waitStatus = -1;
    EXPECT_EQ(waitpid(foreign, &waitStatus, 0), foreign);
    EXPECT_TRUE(WIFEXITED(waitStatus) && WEXITSTATUS(waitStatus) == 0);
}

TEST_F(PosixProcessesTest, ChildClosedWhileRunningIsCollectedLater)
{
    const std::int64_t abandoned = processes_.start(R"("/bin/sh" -c "sleep 0.1")", 6);
    const auto handle = processes_.open(abandoned);
    ASSERT_TRUE(handle);
    processes_.close(*handle);
    siginfo_t info{};  // wait until it has ended, leaving it a zombie
    ASSERT_EQ(waitid(P_PID, static_cast<id_t>(abandoned), &info, WEXITED | WNOWAIT), 0);

    EXPECT_EQ(waitFor(processes_.start("true", 6)), 0);
    EXPECT_TRUE(collected(static_cast<pid_t>(abandoned)));
}

}  // namespace
}  // namespace pv

namespace pv::testing {
namespace {

namespace fs = std::filesystem;

// Each command waits for a file of its own to appear (for twenty seconds at most, so that a
// failed test leaves nothing running for long), then exits with its code.
class PosixProcessesWorld {
public:
    PosixProcessesWorld()
    {
        std::string pattern = (fs::temp_directory_path() / "pv-contract-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            folder_ = pattern;
    }
    ~PosixProcessesWorld()
    {
        while (!pending_.empty())
            release();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    Processes& processes() { return processes_; }

    std::string exitingOnRelease(int code)
    {
        pending_.push_back(folder_ / ("release-" + std::to_string(++count_)));
        const std::string script = "i=0; while [ ! -e \"$0\" ] && [ $i -lt 2000 ]; do sleep 0.01; i=$((i+1)); done; "
                                   "exit " +
                                   std::to_string(code);
        return QuoteArgument("/bin/sh") + " -c " + QuoteArgument(script) + " " +
               QuoteArgument(pending_.back().string());
    }
    void release()
    {
        std::ofstream(pending_.front()).put('\n');
        pending_.erase(pending_.begin());
    }
    // Waits without collecting the child (WNOWAIT), so that its status stays for processes().
    void awaitEnd(std::int64_t processId)
    {
        siginfo_t ended{};
        while (waitid(P_PID, static_cast<id_t>(processId), &ended, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
        }
    }
    std::string missingProgram() { return QuoteArgument((folder_ / "no-such-program").string()) + " x"; }

private:
    fs::path folder_;
    std::vector<fs::path> pending_;
    int count_ = 0;
    PosixProcesses processes_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Posix, ProcessesContract, PosixProcessesWorld);

}  // namespace
}  // namespace pv::testing
