#pragma once

#include "services/printers.h"

namespace pv {

// The printers of the CUPS scheduler that the client library is configured for (its
// CUPS_SERVER setting, client.conf or the local default).
//
// Names: installed() lists each queue once by its CUPS name and leaves out the instances
// ("queue/instance") that lpoptions may define, since they are not printers of their own.
// The default can be such an instance; defaultPrinter() then names it as lpstat does,
// "queue/instance", and setDefault() accepts that form too, so that a default read at the
// start of a run is put back exactly. Names match case-insensitively, as in CUPS.
//
// The default is the destination the library marks as default: LPDEST, PRINTER, the user's
// lpoptions, the system lpoptions, then the scheduler's default; with printers and none of
// these, there is no default, and setDefault("") returns to that. setDefault() writes the
// user's ~/.cups/lpoptions, as `lpoptions -d` does for an ordinary user, and for root too
// (where newer client libraries write the system-wide file); while the scheduler cannot be
// reached it still writes the file, without checking the name, and fails as every other call
// does then. While LPDEST or PRINTER names the default it writes nothing, and fails for any
// other name than the environment's.
//
// Two questions may be asked at once from two threads: the library keeps one connection per
// thread.
class CupsPrinters final : public Printers {
public:
    std::vector<std::string> installed() override;
    std::string defaultPrinter() override;
    bool isCurrentDefault(const std::string& name) override;
    void setDefault(const std::string& name) override;
};

}  // namespace pv
