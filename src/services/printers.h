#pragma once

#include <string>
#include <vector>

namespace pv {

// The installed printers and the user's default printer. installed() and defaultPrinter() may
// be asked at the same time from two threads, with nothing else asked alongside them (the
// program puts both questions early, while its window is built); every other call comes from
// one thread at a time.
class Printers {
public:
    virtual ~Printers() = default;

    // Every installed printer's name once, in the print system's own order. Throws Failure
    // when the print system cannot be asked.
    virtual std::vector<std::string> installed() = 0;

    // The name of the current default printer, or an empty text when printers are installed
    // but none is the default (a print system may have no default at all). Throws Failure
    // when it cannot be read, or when there is neither a default nor any printer.
    virtual std::string defaultPrinter() = 0;

    // Whether `name` is, right now, the default printer as the print system itself reports
    // it (a setting saved for when the print system is back does not count). Throws Failure
    // when the print system cannot be asked or has no default at all.
    virtual bool isCurrentDefault(const std::string& name) = 0;

    // Makes `name` the default printer; an empty name makes none the default again, as a
    // print system with printers but no default was. Throws Failure for an unknown name or
    // when the setting cannot be written.
    virtual void setDefault(const std::string& name) = 0;
};

}  // namespace pv
