#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "failure/failure.h"
#include "services/processes.h"

namespace pv::testing {

// What Processes promises the core, run against the fake and the real one alike.
//
// A World gives the processes under test and command lines to start with them:
//   Processes& processes();
//   std::string exitingOnRelease(int code);  // runs until release(), then exits with `code`
//   void release();
//   void awaitEnd(std::int64_t processId);   // returns once that process has ended, leaving
//                                            // its exit status for processes() to collect
//   std::string missingProgram();            // names a program that does not exist
template <class World>
class ProcessesContract : public ::testing::Test {
protected:
    // The status once it is no longer kStillActive, polled for at most ten seconds.
    std::int32_t finalStatus(Processes::Handle handle)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::int32_t status = kStillActive;
        while (world.processes().exitStatus(handle, status) && status == kStillActive &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return status;
    }

    World world;
};

TYPED_TEST_SUITE_P(ProcessesContract);

TYPED_TEST_P(ProcessesContract, StillActiveWhileRunningThenTheExitCode)
{
    Processes& processes = this->world.processes();
    for (const int code : {0, 3, 255}) {
        const std::int64_t id = processes.start(this->world.exitingOnRelease(code), 0);
        const auto handle = processes.open(id);
        ASSERT_TRUE(handle);
        std::int32_t status = -1;
        ASSERT_TRUE(processes.exitStatus(*handle, status));
        EXPECT_EQ(status, kStillActive);
        this->world.release();
        EXPECT_EQ(this->finalStatus(*handle), code);
        // The code stays for later queries.
        ASSERT_TRUE(processes.exitStatus(*handle, status));
        EXPECT_EQ(status, code);
        processes.close(*handle);
    }
}

// The core opens a process only after starting it; a quick one may have ended by then.
TYPED_TEST_P(ProcessesContract, AProcessThatEndedBeforeItWasOpenedGivesItsCode)
{
    Processes& processes = this->world.processes();
    const std::int64_t id = processes.start(this->world.exitingOnRelease(5), 0);
    this->world.release();
    this->world.awaitEnd(id);
    const auto handle = processes.open(id);
    ASSERT_TRUE(handle);
    EXPECT_EQ(this->finalStatus(*handle), 5);
    processes.close(*handle);
}

TYPED_TEST_P(ProcessesContract, AMissingProgramThrowsTheNotFoundError)
{
    try {
        this->world.processes().start(this->world.missingProgram(), 1);
        ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), ENOENT);
        EXPECT_FALSE(failure.description().empty());
    }
}

TYPED_TEST_P(ProcessesContract, CloseInvalidatesOnlyThatHandle)
{
    Processes& processes = this->world.processes();
    const std::int64_t id = processes.start(this->world.exitingOnRelease(7), 0);
    const auto first = processes.open(id);
    const auto second = processes.open(id);
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    processes.close(*first);

    std::int32_t status = -1;
    EXPECT_FALSE(processes.exitStatus(*first, status));
    EXPECT_EQ(status, -1) << "nothing is stored for a closed handle";
    this->world.release();
    EXPECT_EQ(this->finalStatus(*second), 7);
    processes.close(*second);
    EXPECT_FALSE(processes.exitStatus(*second, status));
    processes.close(*second);  // closing twice does no harm
}

TYPED_TEST_P(ProcessesContract, OnlyProcessesStartedAndNotLetGoCanBeOpened)
{
    Processes& processes = this->world.processes();
    EXPECT_FALSE(processes.open(0));
    EXPECT_FALSE(processes.open(-1));
    // An ended process is let go with its last handle: the platform may give its id to another.
    const std::int64_t id = processes.start(this->world.exitingOnRelease(0), 0);
    const auto handle = processes.open(id);
    ASSERT_TRUE(handle);
    this->world.release();
    EXPECT_EQ(this->finalStatus(*handle), 0);
    processes.close(*handle);
    // Wine drops the process object about half a second after its last handle.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    auto again = processes.open(id);
    for (; again && std::chrono::steady_clock::now() < deadline; again = processes.open(id)) {
        processes.close(*again);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_FALSE(again);
}

REGISTER_TYPED_TEST_SUITE_P(ProcessesContract, StillActiveWhileRunningThenTheExitCode,
                            AProcessThatEndedBeforeItWasOpenedGivesItsCode, AMissingProgramThrowsTheNotFoundError,
                            CloseInvalidatesOnlyThatHandle, OnlyProcessesStartedAndNotLetGoCanBeOpened);

}  // namespace pv::testing
