#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>

#include "fakes/sleeping_event_pump.h"
#include "platform/portable/run_and_wait.h"
#include "platform/posix/posix_processes.h"

namespace pv {
namespace {

using namespace std::chrono_literals;
using testing::SleepingEventPump;

// Against real child processes and a pump that really sleeps.
class RunAndWaitRealProcessTest : public ::testing::Test {
protected:
    // Runs `line` and returns the time RunAndWait took.
    std::chrono::milliseconds timedRun(const std::string& line, std::int32_t& result)
    {
        const auto begin = std::chrono::steady_clock::now();
        result = RunAndWait(processes_, pump_, line);
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin);
    }

    PosixProcesses processes_;
    SleepingEventPump pump_;
};

TEST_F(RunAndWaitRealProcessTest, ReturnsTheExitCode)
{
    EXPECT_EQ(RunAndWait(processes_, pump_, R"("/bin/false")"), 1);
    EXPECT_EQ(RunAndWait(processes_, pump_, R"("/bin/sh" -c "exit 3")"), 3);

    std::int32_t result = -1;
    const auto elapsed = timedRun(R"("/bin/true" /p /h "/tmp/a b.pdf")", result);
    EXPECT_EQ(result, 0);
    EXPECT_GE(elapsed, 100ms);
}

TEST_F(RunAndWaitRealProcessTest, MissingProgramFailsAtOnce)
{
    EXPECT_EQ(RunAndWait(processes_, pump_, R"("/nonexistent/Adobe/Reader/AcroRd32.exe" /p /h "a.pdf")"),
              kStartFailureBase + ENOENT);
    EXPECT_EQ(pump_.turns, 0);
}

TEST_F(RunAndWaitRealProcessTest, ChildRunningOneSecondReturnsAfterItPlusAboutOneInterval)
{
    std::int32_t result = -1;
    const auto elapsed = timedRun(R"("/bin/sleep" 1)", result);
    EXPECT_EQ(result, 0);
    EXPECT_GE(elapsed, 1000ms);
    // The window kept turning while it waited: one turn per interval.
    EXPECT_GE(pump_.turns, 10);
    EXPECT_EQ(pump_.waited, pump_.turns * 100ms);
}

}  // namespace
}  // namespace pv
