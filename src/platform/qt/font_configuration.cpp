#include "platform/qt/font_configuration.h"

#include <dlfcn.h>

namespace pv {

FontConfigurationReading::FontConfigurationReading()
{
    // fontconfig is loaded with Qt's GUI library, which reads the configuration through it;
    // the program itself is not linked against it, so its entry point is looked up. Without
    // it (another font back end) there is nothing to read ahead.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (init)
        reading_ = std::thread([init] { init(); });
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
