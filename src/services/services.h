#pragma once

#include "services/clock.h"
#include "services/default_printer_guard.h"
#include "services/dialogs.h"
#include "services/event_pump.h"
#include "services/file_system.h"
#include "services/printers.h"
#include "services/processes.h"
#include "services/settings_store.h"
#include "services/shell.h"

namespace pv {

// Every platform service the core reaches the world through.
struct Services {
    FileSystem& fileSystem;
    Processes& processes;
    Printers& printers;
    DefaultPrinterGuard& printerGuard;
    SettingsStore& settings;
    Shell& shell;
    MessageBoxes& messageBoxes;
    FileDialogs& fileDialogs;
    EventPump& eventPump;
    Clock& clock;
    RandomSource& random;
};

}  // namespace pv
