#include <cups/cups.h>

#include <cstdlib>

#include "contract/printers_contract.h"
#include "platform/cups/cups_printers.h"
#include "private_scheduler.h"

namespace pv::testing {
namespace {

// The private scheduler's printers, with no user default of its own at the start.
class CupsPrintersWorld {
public:
    void setUp() { UsePrivateScheduler(); }
    Printers& printers() { return printers_; }
    std::vector<std::string> installed() const { return {"alpha", "beta"}; }
    std::string initialDefault() const { return "alpha"; }
    // A destination that does not exist outranks every default.
    void removeDefault() { setenv("LPDEST", "nosuchprinter", 1); }
    void makeUnreachable()
    {
        const std::string missing = std::string(PRESSVALE_CUPSD_DIR) + "/missing.sock";
        setenv("CUPS_SERVER", missing.c_str(), 1);
        cupsSetServer(missing.c_str());
    }

private:
    CupsPrinters printers_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Cups, PrintersContract, CupsPrintersWorld);

}  // namespace
}  // namespace pv::testing
