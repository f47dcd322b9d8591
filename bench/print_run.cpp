// What a print run costs beyond the reader and the fixed pause: runs the program's own print
// run (the real window offscreen, real processes and CUPS) over the files given, and times
// the reader and the reader search on their own for comparison. bench/print_run.sh sets up
// the scheduler, the program folder and the files, and runs it.
//
//   bench_print_run PROGRAM_FOLDER PRINTER FILE...
//
// The reader is looked for below PROGRAM_FOLDER/../libexec/Adobe, as the program does; the
// run prints on PRINTER. Prints figures only.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/cups/cups_printers.h"
#include "platform/portable/standard_random.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_default_printer_guard.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_processes.h"
#include "platform/posix/posix_switch_record_store.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_shell.h"
#include "printing/reader_location.h"
#include "ui/qt/main_window.h"

extern char** environ;

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr int kSamples = 10;

double SecondsSince(SteadyClock::time_point start)
{
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

double CpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Message boxes that nobody answers: each text goes to stderr, so that a failure shows.
class PrintedMessageBoxes final : public pv::MessageBoxes {
public:
    pv::BoxAnswer show(const std::string& text, const std::string&, pv::BoxButtons, pv::BoxIcon) override
    {
        std::fprintf(stderr, "box: %s\n", text.c_str());
        return pv::BoxAnswer::Ok;
    }
};

// The reader's own time for one file: started and waited for directly, without the program.
double ReaderSeconds(const std::string& reader, const std::string& file)
{
    std::vector<std::string> arguments{reader, "/p", "/h", file};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const auto start = SteadyClock::now();
    pid_t child = 0;
    if (posix_spawn(&child, reader.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return 0;
    int status = 0;
    waitpid(child, &status, 0);
    return SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_print_run PROGRAM_FOLDER PRINTER FILE...\n");
        return 2;
    }
    const std::string programFolder = argv[1];
    const std::string printer = argv[2];
    const std::vector<std::string> files(argv + 3, argv + argc);

    pv::PosixFileSystem fileSystem;
    pv::PosixProcesses processes;
    pv::CupsPrinters printers;
    pv::PosixSwitchRecordStore switchRecord(programFolder + "/pressvale-guard");
    pv::PosixDefaultPrinterGuard printerGuard(programFolder + "/pressvale-guard", switchRecord);
    pv::QtSettingsStore settings;
    pv::QtShell shell(programFolder);
    PrintedMessageBoxes boxes;
    pv::QtFileDialogs dialogs;
    pv::QtEventPump eventPump;
    pv::PosixClock clock;
    pv::StandardRandomSource random;
    pv::Services services{fileSystem, processes, printers,  printerGuard, settings, shell,
                          boxes,      dialogs,   eventPump, clock,        random};
    pv::MainWindow window([] {});
    pv::Form1 form(services, pv::Form1Controls{window, window.listView(), window.comboBox(), window.progressBar()},
                   pv::ProgramConfig{programFolder, "help@pressvale.test", "https://pressvale.test/"});
    window.attachFileList(&form.fileList());
    window.setEvents(&form);
    form.Form_Load();
    for (int i = 0; i < window.comboBox().count(); ++i) {
        if (window.comboBox().item(i) == printer)
            window.comboBox().setCurrentIndex(i);
    }

    // The reader search on its own, as each file of the run performs it.
    const std::string programFiles = shell.specialFolderPath(pv::kProgramFilesFolder);
    std::string reader;
    std::vector<double> searchSeconds;
    const double searchCpuBefore = CpuSeconds(RUSAGE_SELF);
    for (int i = 0; i < kSamples; ++i) {
        const auto start = SteadyClock::now();
        reader = pv::FindReader(shell, fileSystem, eventPump, programFiles);
        searchSeconds.push_back(SecondsSince(start));
    }
    const double searchCpu = (CpuSeconds(RUSAGE_SELF) - searchCpuBefore) / kSamples;
    if (reader.empty()) {
        std::fprintf(stderr, "no reader below %s/Adobe\n", programFiles.c_str());
        return 1;
    }

    // The printer guard and its record on their own, as each run starts and releases them.
    std::vector<double> guardSeconds;
    for (int i = 0; i < kSamples; ++i) {
        const auto guardStart = SteadyClock::now();
        printerGuard.arm(printer);
        printerGuard.watch(printer);
        printerGuard.release([](const std::string&) {});
        guardSeconds.push_back(SecondsSince(guardStart));
    }

    // The switch record alone: written as a run begins, a printer added, removed at its end.
    std::vector<double> recordSeconds;
    for (int i = 0; i < kSamples; ++i) {
        const auto recordStart = SteadyClock::now();
        pv::switch_record::ProgramSwitches switches(switchRecord);
        switches.join(printer);
        switches.add(printer);
        switches.leave(printer, [](const std::string&) {});
        recordSeconds.push_back(SecondsSince(recordStart));
    }

    // The reader on its own.
    std::vector<double> readerSeconds;
    for (int i = 0; i < kSamples; ++i)
        readerSeconds.push_back(ReaderSeconds(reader, files.front()));

    for (const std::string& file : files)
        form.fileList().append(file);
    const double selfBefore = CpuSeconds(RUSAGE_SELF);
    const double childrenBefore = CpuSeconds(RUSAGE_CHILDREN);
    const auto start = SteadyClock::now();
    form.PushButton2_Click();
    const double runSeconds = SecondsSince(start);
    const double selfCpu = CpuSeconds(RUSAGE_SELF) - selfBefore;
    const double childrenCpu = CpuSeconds(RUSAGE_CHILDREN) - childrenBefore;

    const double n = static_cast<double>(files.size());
    const double perFile = runSeconds / n;
    const double readerMedian = Median(readerSeconds);
    const double searchMedian = Median(searchSeconds);
    const double overhead = perFile - 2.0 - readerMedian;
    std::printf("files printed in the run:                 %zu\n", files.size());
    std::printf("reader search (median of %d):             %.1f ms wall, %.1f ms CPU\n", kSamples, searchMedian * 1e3,
                searchCpu * 1e3);
    std::printf("reader on its own (median of %d):         %.1f ms\n", kSamples, readerMedian * 1e3);
    std::printf("printer guard per run (median of %d):     %.1f ms (started, watching, released, ended)\n", kSamples,
                Median(guardSeconds) * 1e3);
    std::printf("of which the switch record (median of %d): %.2f ms (written, a printer added, removed)\n", kSamples,
                Median(recordSeconds) * 1e3);
    std::printf("whole run:                                %.3f s (%.3f s per file)\n", runSeconds, perFile);
    std::printf("per-file overhead beyond reader + 2 s:    %.1f ms (of which the reader search %.1f ms)\n",
                overhead * 1e3, searchMedian * 1e3);
    std::printf("program CPU during the run:               %.3f s = %.2f %% of one core\n", selfCpu,
                100 * selfCpu / runSeconds);
    std::printf("  less %zu reader searches:                %.3f s = %.2f %% of one core\n", files.size(),
                selfCpu - n * searchCpu, 100 * (selfCpu - n * searchCpu) / runSeconds);
    std::printf("reader processes' CPU (not counted):      %.3f s\n", childrenCpu);
    window.setEvents(nullptr);
    window.attachFileList(nullptr);
    return 0;
}
