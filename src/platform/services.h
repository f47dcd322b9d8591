#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/file_system.h"
#include "platform/printers.h"
#include "platform/processes.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

namespace pv {

// Every platform service the core reaches the world through.
struct Services {
    FileSystem& fileSystem;
    Processes& processes;
    Printers& printers;
    SettingsStore& settings;
    Shell& shell;
    MessageBoxes& messageBoxes;
    FileDialogs& fileDialogs;
    EventPump& eventPump;
    Clock& clock;
    RandomSource& random;
};

}  // namespace pv
