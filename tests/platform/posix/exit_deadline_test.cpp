#include "platform/posix/exit_deadline.h"

#include <gtest/gtest.h>
#include <unistd.h>

// The deadline ends a process whose main thread waits for ever, with the status it was given.
TEST(ExitDeadline, EndsAProcessThatWaitsForEverWithItsStatus)
{
    EXPECT_EXIT((pv::SetExitDeadline(std::chrono::milliseconds(50), 3), pause()), ::testing::ExitedWithCode(3), "");
}
