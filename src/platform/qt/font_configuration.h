#pragma once

#include <thread>

namespace pv {

// Reads the system's font configuration (fontconfig's files and caches) on a thread of its own,
// started as the program starts. Qt reads it the first time the window measures a text, and
// that reading takes longer than connecting to the display: done beside that, it is ready by
// the time the window is built. Qt then finds it read and goes straight on. Nothing is read
// ahead when Qt is to change the environment as it starts (see the constructor).
class FontConfigurationReading {
public:
    FontConfigurationReading();
    ~FontConfigurationReading();
    FontConfigurationReading(const FontConfigurationReading&) = delete;
    FontConfigurationReading& operator=(const FontConfigurationReading&) = delete;

    // Waits until the configuration has been read. Call it before the first text is measured,
    // so that Qt does not read it a second time alongside.
    void finish();

private:
    std::thread reading_;
};

}  // namespace pv
