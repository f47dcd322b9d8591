#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <stdexcept>
#include <vector>

#include "fakes/fake_event_pump.h"
#include "fakes/fake_processes.h"
#include "platform/portable/run_and_wait.h"

namespace pv {
namespace {

using namespace std::chrono_literals;
using testing::FakeEventPump;
using testing::FakeProcesses;

const std::string kReaderLine = R"("/opt/libexec/Adobe/Reader/AcroRd32.exe" /p /h "/tmp/a b.pdf")";

// Against scripted processes.
class RunAndWaitTest : public ::testing::Test {
protected:
    FakeProcesses processes_;
    FakeEventPump pump_;
};

TEST_F(RunAndWaitTest, StartsTheLineUnchangedMinimisedWithoutFocusByDefault)
{
    RunAndWait(processes_, pump_, kReaderLine);
    ASSERT_EQ(processes_.starts.size(), 1u);
    EXPECT_EQ(processes_.starts[0].commandLine, kReaderLine);
    EXPECT_EQ(processes_.starts[0].windowStyle, kMinimisedNoActivate);
    EXPECT_EQ(processes_.opened, std::vector<std::int64_t>{processes_.processId});
}

TEST_F(RunAndWaitTest, StylesOutsideZeroToSixBecomeSix)
{
    const std::vector<int> given = {-1, 7, INT_MIN, INT_MAX, 0, 1, 5, 6};
    const std::vector<int> expected = {6, 6, 6, 6, 0, 1, 5, 6};
    for (int style : given)
        RunAndWait(processes_, pump_, kReaderLine, style);
    ASSERT_EQ(processes_.starts.size(), given.size());
    for (std::size_t i = 0; i < given.size(); ++i)
        EXPECT_EQ(processes_.starts[i].windowStyle, expected[i]) << "given " << given[i];
}

TEST_F(RunAndWaitTest, StartFailureGivesTheBasePlusItsNumberWithoutWaiting)
{
    processes_.startFailure = Failure("not found", 2);
    EXPECT_EQ(RunAndWait(processes_, pump_, kReaderLine), -2147221502);
    EXPECT_EQ(pump_.turns, 0);
    EXPECT_TRUE(processes_.opened.empty());

    // The sum wraps as a signed 32-bit one.
    processes_.startFailure = Failure("odd code", 0x80000000L);
    EXPECT_EQ(RunAndWait(processes_, pump_, kReaderLine), 0x00040000);
}

TEST_F(RunAndWaitTest, EndedProcessCostsExactlyOnePause)
{
    processes_.statuses = {0};
    EXPECT_EQ(RunAndWait(processes_, pump_, kReaderLine), 0);
    EXPECT_EQ(pump_.turns, 1);
    EXPECT_EQ(pump_.waited, 100ms);
    EXPECT_EQ(processes_.closes, 1);
    EXPECT_TRUE(processes_.openHandles.empty());
}

TEST_F(RunAndWaitTest, PollsUntilTheProcessEndsReadingBeforeEachPause)
{
    processes_.statuses = {kStillActive, kStillActive, kStillActive, 3};
    std::vector<int> queriesAtTurn;
    pump_.onTurn = [&] { queriesAtTurn.push_back(processes_.statusQueries); };

    EXPECT_EQ(RunAndWait(processes_, pump_, kReaderLine), 3);
    EXPECT_EQ(queriesAtTurn, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(pump_.waited, 400ms);
    EXPECT_TRUE(processes_.openHandles.empty());
}

TEST_F(RunAndWaitTest, AnyStatusButStillActiveEndsTheWait)
{
    processes_.statuses = {kStillActive, -1};
    EXPECT_EQ(RunAndWait(processes_, pump_, kReaderLine), -1);
    EXPECT_EQ(pump_.turns, 2);
}

TEST_F(RunAndWaitTest, ProcessThatCannotBeOpenedEndsAfterOnePassWithZero)
{
    processes_.openable = false;
    processes_.statuses = {kStillActive};
    EXPECT_EQ(RunAndWait(processes_, pump_, kReaderLine), 0);
    EXPECT_EQ(pump_.turns, 1);
    EXPECT_EQ(processes_.statusQueries, 0);
    EXPECT_EQ(processes_.closes, 0);
}

TEST_F(RunAndWaitTest, HandleIsClosedWhenEventProcessingFails)
{
    processes_.statuses = {kStillActive};
    pump_.onTurn = [&] {
        if (pump_.turns == 3)
            throw std::runtime_error("event procedure failed");
    };
    EXPECT_THROW(RunAndWait(processes_, pump_, kReaderLine), std::runtime_error);
    EXPECT_EQ(processes_.closes, 1);
    EXPECT_TRUE(processes_.openHandles.empty());
}

}  // namespace
}  // namespace pv
