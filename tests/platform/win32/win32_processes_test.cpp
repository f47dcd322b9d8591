#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>

#include "platform/portable/run_and_wait.h"
#include "platform/win32/win32_event_pump.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32_support/owned.h"
#include "support/child_program.h"

namespace pv {
namespace {

using testing::ChildCommand;

// The processor time this process has used so far, in milliseconds.
double ProcessorMilliseconds()
{
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto ticks = [](FILETIME time) { return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime; };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

// Waits (ten seconds at most) for the process to end, through a handle of its own that is
// closed again before it returns. True once the process has ended.
bool AwaitEnd(std::int64_t processId)
{
    const win32::KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId)));
    return process.valid() && WaitForSingleObject(process.get(), 10000) == WAIT_OBJECT_0;
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

TEST_F(Win32ProcessesTest, ReportsStillActiveThenTheExitCodeEvenOfAProgramThatEndedBeforeItWasOpened)
{
    const std::int64_t runningId = processes.start(ChildCommand("sleep 1000 42"), 6);
    const auto running = processes.open(runningId);
    const std::int64_t ended = processes.start(ChildCommand("exit 7"), 6);
    ASSERT_TRUE(running);
    std::int32_t status = 0;
    EXPECT_TRUE(processes.exitStatus(*running, status));
    EXPECT_EQ(status, kStillActive);
    ASSERT_TRUE(AwaitEnd(runningId));
    EXPECT_TRUE(processes.exitStatus(*running, status));
    EXPECT_EQ(status, 42);
    processes.close(*running);

    ASSERT_TRUE(AwaitEnd(ended));
    const auto late = processes.open(ended);
    ASSERT_TRUE(late);
    EXPECT_TRUE(processes.exitStatus(*late, status));
    EXPECT_EQ(status, 7);
    processes.close(*late);

    status = 5;
    EXPECT_FALSE(processes.exitStatus(0, status));
    EXPECT_EQ(status, 5);
}

TEST_F(Win32ProcessesTest, StartsWithTheShowCodeOfTheStyleAndTheCommandLineUnchanged)
{
    const int showCodes[] = {SW_HIDE,           SW_SHOWNORMAL, SW_SHOWMINIMIZED,  SW_SHOWMAXIMIZED,
                             SW_SHOWNOACTIVATE, SW_SHOW,       SW_SHOWMINNOACTIVE};
    for (int style = 0; style <= 6; ++style)
        EXPECT_EQ(run("show", style), showCodes[style]) << style;
    EXPECT_EQ(run("show", 7), SW_SHOWMINNOACTIVE);
    EXPECT_EQ(run("show", -1), SW_SHOWMINNOACTIVE);
    EXPECT_EQ(run("text \"Gr\xc3\xbc\xc3\x9f"
                  "e \xe6\x97\xa5\xe6\x9c\xac \\\"q\\\" \xed\xa0\x80\""),
              0);
    EXPECT_EQ(RunAndWait(processes, eventPump, "\"C:\\windows\\pressvale missing.exe\" /p"),
              kStartFailureBase + ERROR_FILE_NOT_FOUND);
}

TEST_F(Win32ProcessesTest, TheWaitSleepsUntilTheProgramEnds)
{
    const double processorBefore = ProcessorMilliseconds();
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(run("sleep 1000 9"), 9);
    const double elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count();
    EXPECT_GE(elapsed, 1000);
    EXPECT_LT(ProcessorMilliseconds() - processorBefore, elapsed / 4);
}

}  // namespace
}  // namespace pv
