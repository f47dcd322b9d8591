#include "platform/qt/font_configuration.h"

#include <dlfcn.h>

#include <cstdlib>
#include <system_error>

namespace pv {

FontConfigurationReading::FontConfigurationReading()
{
    // fontconfig reads the environment as it reads its configuration, and Qt takes the
    // start-up notice (DESKTOP_STARTUP_ID) out of the environment as it connects to the
    // display: changing the environment under a reader can hide another variable from it.
    // Started with such a notice, the program leaves the reading to Qt, as before.
    if (std::getenv("DESKTOP_STARTUP_ID"))
        return;
    // fontconfig is loaded with Qt's GUI library, which reads the configuration through it;
    // the program itself is not linked against it, so its entry point is looked up. Without
    // it (another font back end) there is nothing to read ahead.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (!init)
        return;
    try {
        reading_ = std::thread([init] { init(); });
    } catch (const std::system_error&) {
        // Without a thread Qt reads it itself, as before.
    }
}

FontConfigurationReading::~FontConfigurationReading()
{
    finish();
}

void FontConfigurationReading::finish()
{
    if (reading_.joinable())
        reading_.join();
}

}  // namespace pv
