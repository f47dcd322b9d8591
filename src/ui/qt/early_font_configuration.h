#pragma once

#include <initializer_list>
#include <thread>

namespace pv {

// The system's font configuration, read on a thread of its own while Qt starts. Reading it
// (fontconfig's configuration files and font caches) is the largest cost of the first text
// a window lays out, and Qt spends most of its start waiting on the display server, so the
// two overlap. Made just before the QApplication and finished just after it: from then on Qt
// finds the configuration loaded and does not read it again.
//
// The reader looks up environment variables and parses numbers in the locale while Qt starts
// beside it, so the constructor first sets the locale from the environment as Qt is about to
// (Qt's own setting then changes nothing) and moves the variables that Qt takes out of the
// environment to its end (see MoveToEndOfEnvironment).
class EarlyFontConfiguration {
public:
    EarlyFontConfiguration();
    ~EarlyFontConfiguration();
    EarlyFontConfiguration(const EarlyFontConfiguration&) = delete;
    EarlyFontConfiguration& operator=(const EarlyFontConfiguration&) = delete;

    // Waits until the configuration has been read.
    void finish();

private:
    std::thread reading_;
};

// Moves each named variable that is set to the end of the environment, keeping the order of
// the others and every value. The C library takes a variable out by moving each later one
// down a place, so a look-up under way on another thread could pass over one of them; taking
// out a variable that comes last moves nothing else. Call it while no other thread runs.
void MoveToEndOfEnvironment(std::initializer_list<const char*> names);

}  // namespace pv
