#pragma once

#include "services/printers.h"

namespace pv {

// The printers of the Windows spooler: local ones and connections, in the spooler's order.
// The default is the user's default printer; setting it is SetDefaultPrinterW, the call behind
// the scripting object's method of the same name. Names compare without regard to case, as
// Windows compares printer names. Windows cannot be left without a default printer once it
// has one, so setDefault("") changes nothing.
class Win32Printers final : public Printers {
public:
    std::vector<std::string> installed() override;
    std::string defaultPrinter() override;
    bool isCurrentDefault(const std::string& name) override;
    void setDefault(const std::string& name) override;
};

}  // namespace pv
