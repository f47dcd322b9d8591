// Times "Add All" on a generated tree until its last row is appended, against find(1) on the
// same tree, and measures the longest stretch it goes without turning the event loop.
//
//   bench_walk [FILES]    FILES defaults to 100000, spread over FILES / 20 folders.
//
// Prints figures only; the targets (walk within 1.5 times find, no stretch over 30 ms) are
// for the reader to judge.

#include <fcntl.h>
#include <ftw.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "fakes/fake_controls.h"
#include "fakes/form_harness.h"
#include "list_actions/add_folder.h"
#include "platform/posix/posix_file_system.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Records the longest time between two turns of the event loop.
class GapRecordingPump final : public pv::EventPump {
public:
    void processEvents() override
    {
        const Clock::time_point now = Clock::now();
        longestGapMs = std::max(longestGapMs, MillisecondsBetween(lastTurn, now));
        lastTurn = now;
        ++turns;
    }
    void processEventsFor(std::chrono::milliseconds duration) override
    {
        processEvents();
        std::this_thread::sleep_for(duration);
        lastTurn = Clock::now();
    }

    Clock::time_point lastTurn = Clock::now();
    double longestGapMs = 0;
    long turns = 0;
};

struct TreeCounts {
    long folders = 0;
    long files = 0;
    long pdfs = 0;
    long tildePdfs = 0;
};

void CreateEmptyFile(const std::string& path)
{
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
    close(file);
}

// Folders in a tree of fan-out 16; files dealt round the folders. One file in ten is a PDF,
// a third of those with ".PDF", one in fifty named with a leading "~".
TreeCounts GenerateTree(const std::string& root, long fileCount)
{
    TreeCounts counts;
    counts.folders = std::max(1L, fileCount / 20);
    std::vector<std::string> folders{root};
    char name[64];
    for (long i = 1; i < counts.folders; ++i) {
        std::snprintf(name, sizeof name, "/Folder %05ld", i);
        folders.push_back(folders[static_cast<std::size_t>((i - 1) / 16)] + name);
        if (mkdir(folders.back().c_str(), 0755) != 0) {
            std::perror(folders.back().c_str());
            std::exit(1);
        }
    }
    for (long i = 0; i < fileCount; ++i) {
        if (i % 10 != 0)
            std::snprintf(name, sizeof name, "/notes %06ld.%s", i, i % 2 ? "txt" : "docx");
        else if (i % 500 == 0)
            std::snprintf(name, sizeof name, "/~lock %06ld.pdf", i);
        else
            std::snprintf(name, sizeof name, "/doc %06ld.%s", i, i % 30 == 0 ? "PDF" : "pdf");
        CreateEmptyFile(folders[static_cast<std::size_t>(i % counts.folders)] + name);
        counts.pdfs += i % 10 == 0;
        counts.tildePdfs += i % 500 == 0;
    }
    counts.files = fileCount;
    return counts;
}

void RemoveTree(const std::string& root)
{
    nftw(
        root.c_str(), [](const char* path, const struct stat*, int, FTW*) { return std::remove(path); }, 64,
        FTW_DEPTH | FTW_PHYS);
}

struct WalkRun {
    double milliseconds = 0;
    long rows = 0;
    long turns = 0;
    double longestGapMs = 0;
};

// "Add All" itself, on the real file system and file list, the folder picker answering with
// the root; timed until its last row is appended.
WalkRun AddAllWalk(const std::string& root)
{
    pv::PosixFileSystem fileSystem;
    GapRecordingPump pump;
    pv::testing::FakeServiceSet fakes;
    pv::Services services{fileSystem,  fakes.processes, fakes.printers, fakes.printerGuard, fakes.settings, fakes.shell,
                          fakes.boxes, fakes.dialogs,   pump,           fakes.clock,        fakes.random};
    pv::ErrorReports reports(fakes.boxes, "bench@pressvale.test");
    pv::testing::FakeWindowSurface window;
    pv::FileList files;
    fakes.dialogs.folderResults = {root};

    WalkRun run;
    const Clock::time_point start = Clock::now();
    pump.lastTurn = start;
    pv::AddFolderTree(services, reports, window, files);
    const Clock::time_point end = Clock::now();
    run.milliseconds = MillisecondsBetween(start, end);
    run.longestGapMs = std::max(pump.longestGapMs, MillisecondsBetween(pump.lastTurn, end));
    run.rows = files.count();
    run.turns = pump.turns;
    return run;
}

double FindMilliseconds(const std::string& root)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = "find", rootArgument = root, test = "-iname", pattern = "*.pdf";
    char* arguments[] = {program.data(), rootArgument.data(), test.data(), pattern.data(), nullptr};

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, "find", &actions, nullptr, arguments, environ) != 0) {
        std::perror("find");
        std::exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const Clock::time_point end = Clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return MillisecondsBetween(start, end);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const long fileCount = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    if (fileCount < 1) {
        std::fprintf(stderr, "usage: %s [FILES]\n", argv[0]);
        return 2;
    }
    char rootTemplate[] = "/tmp/pressvale-bench-walk-XXXXXX";
    if (mkdtemp(rootTemplate) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string root = rootTemplate;

    const Clock::time_point generating = Clock::now();
    const TreeCounts counts = GenerateTree(root, fileCount);
    std::printf("tree: %ld files in %ld folders, %ld PDF (%ld named \"~...\"), made in %.0f ms\n", counts.files,
                counts.folders, counts.pdfs, counts.tildePdfs, MillisecondsBetween(generating, Clock::now()));

    AddAllWalk(root);
    FindMilliseconds(root);
    std::vector<double> walkTimes, findTimes;
    WalkRun last;
    for (int i = 0; i < 3; ++i) {
        last = AddAllWalk(root);
        walkTimes.push_back(last.milliseconds);
        findTimes.push_back(FindMilliseconds(root));
    }
    RemoveTree(root);

    const double walk = Median(walkTimes), find = Median(findTimes);
    std::printf("Add All walk: %.1f ms median of 3 (%ld rows appended, %ld event-loop turns)\n", walk, last.rows,
                last.turns);
    std::printf("find -iname '*.pdf': %.1f ms median of 3\n", find);
    std::printf("ratio walk/find: %.2f (target <= 1.5)\n", walk / find);
    std::printf("longest time without an event-loop turn: %.2f ms (target <= 30)\n", last.longestGapMs);
    return 0;
}
