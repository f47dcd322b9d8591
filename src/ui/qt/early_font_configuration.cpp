#include "ui/qt/early_font_configuration.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstring>

namespace pv {

namespace {

// Whether `entry` ("NAME=value") sets the variable `name`.
bool Sets(const char* entry, const char* name)
{
    const std::size_t length = std::strlen(name);
    return std::strncmp(entry, name, length) == 0 && entry[length] == '=';
}

}  // namespace

void MoveToEndOfEnvironment(std::initializer_list<const char*> names)
{
    if (!environ)
        return;
    char** end = environ;
    while (*end)
        ++end;
    for (const char* name : names) {
        // Rotating rather than rebuilding keeps the C library's own array, so no look-up
        // can be left holding a freed one.
        char** found = std::find_if(environ, end, [name](const char* entry) { return Sets(entry, name); });
        if (found != end)
            std::rotate(found, found + 1, end);
    }
}

EarlyFontConfiguration::EarlyFontConfiguration()
{
    std::setlocale(LC_ALL, "");
    // Qt takes these out of the environment: the desktop's start-up notice as it connects to
    // an X display, the Wayland activation token as it shows a window.
    MoveToEndOfEnvironment({"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"});
    reading_ = std::thread([] { FcInit(); });
}

EarlyFontConfiguration::~EarlyFontConfiguration()
{
    finish();
}

void EarlyFontConfiguration::finish()
{
    if (reading_.joinable())
        reading_.join();
}

}  // namespace pv
