#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <vector>

#include "platform/portable/run_and_wait.h"
#include "platform/win32/win32_event_pump.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32_support/owned.h"
#include "support/child_program.h"
#include "support/contract/processes_contract.h"
#include "support/temp_tree.h"

namespace pv::testing {
namespace {

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

// Each command is the child program waiting for a file of its own to appear.
class Win32ProcessesWorld {
public:
    ~Win32ProcessesWorld()
    {
        while (!pending_.empty())
            release();
    }

    Processes& processes() { return processes_; }

    std::string exitingOnRelease(int code)
    {
        pending_.push_back(folder_.path("release-" + std::to_string(pending_.size() + released_)));
        return ChildCommand("await \"" + pending_.back() + "\" " + std::to_string(code));
    }
    void release()
    {
        folder_.file(pending_.front().substr(folder_.root().size() + 1));
        pending_.erase(pending_.begin());
        ++released_;
    }
    void awaitEnd(std::int64_t processId) { AwaitEnd(processId); }
    std::string missingProgram() { return "\"" + folder_.path("no-such-program.exe") + "\" x"; }

private:
    TempTree folder_;
    std::vector<std::string> pending_;
    std::size_t released_ = 0;
    Win32Processes processes_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ProcessesContract, Win32ProcessesWorld);

}  // namespace
}  // namespace pv::testing
