#include <windows.h>
#include <gtest/gtest.h>

#include "platform/portable/run_and_wait.h"
#include "platform/win32/win32_event_pump.h"
#include "platform/win32/win32_printers.h"
#include "platform/win32/win32_processes.h"
#include "support/child_program.h"
#include "support/contract/printers_contract.h"

namespace pv::testing {
namespace {

// Wine's printers are the private scheduler's: "alpha", its default, and "beta". What the
// contract below checks of them aside, a switch reaches the programs started afterwards.
TEST(Win32PrintersTest, SwitchesTheDefaultForProgramsStartedAfterwardsAndBack)
{
    Win32Printers printers;
    Win32Processes processes;
    Win32EventPump eventPump;
    const auto childSeesDefault = [&](const std::string& name) {
        return RunAndWait(processes, eventPump, ChildCommand("default " + name)) == 0;
    };
    printers.setDefault("beta");
    EXPECT_TRUE(childSeesDefault("beta"));
    printers.setDefault("alpha");
    EXPECT_TRUE(childSeesDefault("alpha"));
}

// Wine's printers, each test beginning and ending with "alpha" the default.
class Win32PrintersWorld {
public:
    ~Win32PrintersWorld() { SetDefaultPrinterW(L"alpha"); }

    void setUp() { ASSERT_TRUE(SetDefaultPrinterW(L"alpha")); }
    Printers& printers() { return printers_; }
    std::vector<std::string> installed() const { return {"alpha", "beta"}; }
    std::string initialDefault() const { return "alpha"; }
    // Windows keeps the user's default printer in this value.
    void removeDefault()
    {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", L"Device");
    }
    // Wine's spooler is part of each program: no test can stop it.
    bool makeUnreachable() { return false; }

private:
    Win32Printers printers_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, PrintersContract, Win32PrintersWorld);

}  // namespace
}  // namespace pv::testing
