#include "platform/posix/exit_deadline.h"

#include <gtest/gtest.h>
#include <unistd.h>

TEST(ExitDeadline, EndsAProcessThatWaitsForEverWithItsStatus)
{
    EXPECT_EXIT((pv::SetExitDeadline(std::chrono::milliseconds(50), 3), pause()), ::testing::ExitedWithCode(3), "");
}
