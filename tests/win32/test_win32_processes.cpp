#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "child_program.h"
#include "platform/failure.h"
#include "platform/run_and_wait.h"
#include "platform/win32/win32_event_pump.h"
#include "platform/win32/win32_processes.h"

namespace pv {
namespace {

using testing::ChildCommand;
using Steady = std::chrono::steady_clock;

// The processor time this process has used so far, in milliseconds.
double ProcessorMilliseconds()
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ticks = [](FILETIME time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

class Win32ProcessesTest : public ::testing::Test {
protected:
    std::int32_t run(const std::string& arguments, std::optional<int> style = std::nullopt)
    {
        return RunAndWait(processes, eventPump, ChildCommand(arguments), style);
    }

    Win32Processes processes;
    Win32EventPump eventPump;
};

TEST_F(Win32ProcessesTest, ReportsStillActiveThenTheExitCode)
{
    const std::int64_t id = processes.start(ChildCommand("sleep 1500 42"), 6);
    const auto handle = processes.open(id);
    ASSERT_TRUE(handle);
    std::int32_t status = 0;
    ASSERT_TRUE(processes.exitStatus(*handle, status));
    EXPECT_EQ(status, kStillActive);
    for (int tries = 0; tries < 1000 && status == kStillActive; ++tries) {
        Sleep(10);
        ASSERT_TRUE(processes.exitStatus(*handle, status));
    }
    EXPECT_EQ(status, 42);
    processes.close(*handle);

    // Nothing is stored for a handle that is not valid.
    status = 5;
    EXPECT_FALSE(processes.exitStatus(0, status));
    EXPECT_EQ(status, 5);
}

TEST_F(Win32ProcessesTest, AProgramThatEndedBeforeItWasOpenedStillGivesItsCode)
{
    const std::int64_t id = processes.start(ChildCommand("exit 7"), 6);
    Sleep(1000);
    const auto handle = processes.open(id);
    ASSERT_TRUE(handle);
    std::int32_t status = 0;
    EXPECT_TRUE(processes.exitStatus(*handle, status));
    EXPECT_EQ(status, 7);
    processes.close(*handle);
    EXPECT_EQ(run("exit 0"), 0);
    EXPECT_EQ(run("exit 3"), 3);
}

TEST_F(Win32ProcessesTest, AMissingProgramFailsWithTheSystemsErrorNumber)
{
    try {
        processes.start("\"C:\\windows\\pressvale missing.exe\" /p", 6);
        FAIL() << "started";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), ERROR_FILE_NOT_FOUND) << failure.description();
    }
    EXPECT_EQ(RunAndWait(processes, eventPump, "pressvale-missing-program.exe"), kStartFailureBase + ERROR_FILE_NOT_FOUND);
}

TEST_F(Win32ProcessesTest, EachStyleBecomesItsShowCodeAndOthersAreTakenAsSix)
{
    EXPECT_EQ(run("show", 0), SW_HIDE);
    EXPECT_EQ(run("show", 1), SW_SHOWNORMAL);
    EXPECT_EQ(run("show", 2), SW_SHOWMINIMIZED);
    EXPECT_EQ(run("show", 3), SW_SHOWMAXIMIZED);
    EXPECT_EQ(run("show", 4), SW_SHOWNOACTIVATE);
    EXPECT_EQ(run("show", 5), SW_SHOW);
    EXPECT_EQ(run("show", 6), SW_SHOWMINNOACTIVE);
    EXPECT_EQ(run("show", 7), SW_SHOWMINNOACTIVE);
    EXPECT_EQ(run("show", -1), SW_SHOWMINNOACTIVE);
    EXPECT_EQ(run("show"), SW_SHOWMINNOACTIVE);
}

TEST_F(Win32ProcessesTest, TheCommandLineArrivesUnchangedInUtf16)
{
    EXPECT_EQ(run("text \"Gr\xc3\xbc\xc3\x9f" "e \xe6\x97\xa5\xe6\x9c\xac \\\"q\\\"\""), 0);
}

TEST_F(Win32ProcessesTest, TheWaitSleepsUntilTheProgramEnds)
{
    const double processorBefore = ProcessorMilliseconds();
    const Steady::time_point before = Steady::now();
    EXPECT_EQ(run("sleep 1000 9"), 9);
    const double elapsed = std::chrono::duration<double, std::milli>(Steady::now() - before).count();
    EXPECT_GE(elapsed, 1000);
    EXPECT_LT(ProcessorMilliseconds() - processorBefore, elapsed / 4);
}

}  // namespace
}  // namespace pv
