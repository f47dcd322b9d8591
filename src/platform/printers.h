#pragma once

#include <string>
#include <vector>

namespace pv {

// The installed printers and the user's default printer.
class Printers {
public:
    virtual ~Printers() = default;

    // Every installed printer's name once, in the print system's own order. Throws Failure
    // when the print system cannot be asked.
    virtual std::vector<std::string> installed() = 0;

    // The name of the current default printer. Throws Failure when there is none or it
    // cannot be read.
    virtual std::string defaultPrinter() = 0;

    // Whether `name` is, right now, the default printer as the print system itself reports
    // it (a setting saved for when the print system is back does not count). Throws Failure
    // when the print system cannot be asked or has no default at all.
    virtual bool isCurrentDefault(const std::string& name) = 0;

    // Makes `name` the default printer. Throws Failure for an unknown name or when the
    // setting cannot be written.
    virtual void setDefault(const std::string& name) = 0;
};

}  // namespace pv
