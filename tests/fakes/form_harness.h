#pragma once

#include <string>
#include <vector>

#include "app/form1.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_event_pump.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_processes.h"
#include "fakes/fake_services.h"
#include "fakes/native_path.h"

namespace pv::testing {

inline const std::string kTestProgramFolder = Native("/opt/pressvale/bin");
inline constexpr const char* kTestSupportAddress = "help@pressvale.test";
inline constexpr const char* kTestHomePage = "https://pressvale.test/";

// Fakes of every platform service. Waits move the fake clock on.
struct FakeServiceSet {
    FakeServiceSet();

    FakeFileSystem fileSystem;
    FakeProcesses processes;
    FakePrinters printers;
    FakeDefaultPrinterGuard printerGuard{printers};
    FakeSettingsStore settings;
    FakeShell shell;
    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    FakeEventPump pump;
    FakeClock clock;
    FakeRandomSource random;
    Services services{fileSystem, processes, printers, printerGuard, settings, shell,
                      boxes,      dialogs,   pump,     clock,        random};
};

// A Form1 wired to fakes of every service and control. The printer box notifies the form of
// selection changes as the real one does.
struct FormHarness : FakeServiceSet {
    FormHarness();

    // The file list's rows, in order.
    std::vector<std::string> rows() const;
    void addRows(const std::vector<std::string>& paths);
    // The texts of the boxes shown so far.
    std::vector<std::string> boxTexts() const;

    FakeWindowSurface window;
    FakeListView list;
    FakeComboBox combo;
    FakeProgressBar progress;
    Form1 form{services, Form1Controls{window, list, combo, progress},
               ProgramConfig{kTestProgramFolder, kTestSupportAddress, kTestHomePage}};
};

}  // namespace pv::testing
