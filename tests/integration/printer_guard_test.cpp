#include <sys/wait.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/cups/cups_printers.h"
#include "platform/posix/posix_default_printer_guard.h"
#include "private_scheduler.h"

namespace pv::testing {
namespace {

// Waits up to five seconds for the guard, this test's only child, to end, and collects it.
bool GuardEnded()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
        const pid_t ended = waitpid(-1, nullptr, WNOHANG);
        if (ended != 0)
            return true;  // the guard, or no child left (a released guard was collected)
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// The guard program, told as a print run tells it. The program's end is the end of the pipe,
// which here comes as the guard's owner goes unreleased; the real program killed mid-run is
// tested from outside.
TEST_F(PrivateSchedulerTest, ThePrinterGuardPutsTheDefaultBackOnlyWhenTheProgramEndsWithoutDoingSo)
{
    struct Case {
        const char* name;
        bool released;
        const char* lpoptionsSince;  // the user's own choice, made while the run went on
        const char* expectedDefault;
    };
    const Case cases[] = {
        {"ended unreleased", false, nullptr, "alpha"},
        {"released", true, nullptr, "beta"},
        {"ended after another choice", false, "Dest alpha/draft sides=two-sided-long-edge\nDefault alpha/draft\n",
         "alpha/draft"},
    };
    CupsPrinters printers;
    for (const Case& c : cases) {
        printers.setDefault("alpha");
        {
            PosixDefaultPrinterGuard guard(PRESSVALE_GUARD);
            guard.arm("alpha");
            guard.watch("beta");
            printers.setDefault("beta");
            if (c.lpoptionsSince)
                writeFile(userLpoptions(), c.lpoptionsSince);
            if (c.released)
                guard.release();
        }
        ASSERT_TRUE(GuardEnded()) << c.name;
        EXPECT_EQ(printers.defaultPrinter(), c.expectedDefault) << c.name;
    }
}

}  // namespace
}  // namespace pv::testing
