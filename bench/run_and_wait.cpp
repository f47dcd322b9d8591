// How long RunAndWait takes beyond the program it waits for: a program that exits at once and
// one that runs one second, each started and waited for by RunAndWait (which polls every
// 100 ms, turning the event loop) and, for reference in the same run, by posix_spawn and a
// blocking waitpid.
//
//   bench_run_and_wait [RUNS]
//
// Prints figures only.

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "fakes/sleeping_event_pump.h"
#include "platform/portable/run_and_wait.h"
#include "platform/posix/posix_processes.h"

extern char** environ;

namespace {

double MedianMilliseconds(int runs, const std::function<void()>& once)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        once();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void SpawnAndWait(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) == 0)
        waitpid(child, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    pv::PosixProcesses processes;
    pv::testing::SleepingEventPump pump;
    const struct {
        const char* what;
        std::string commandLine;
        std::vector<std::string> arguments;
    } programs[] = {
        {"a program that exits at once", R"("/bin/true" /p /h "/tmp/a b.pdf")", {"/bin/true"}},
        {"a program that runs 1 s", R"("/bin/sleep" 1)", {"/bin/sleep", "1"}},
    };
    for (const auto& program : programs) {
        const double waited = MedianMilliseconds(runs, [&] { pv::RunAndWait(processes, pump, program.commandLine); });
        const double bare = MedianMilliseconds(runs, [&] { SpawnAndWait(program.arguments); });
        std::printf("%s: RunAndWait %.1f ms, posix_spawn and waitpid %.1f ms (overhead %.1f ms, median of %d)\n",
                    program.what, waited, bare, waited - bare, runs);
    }
    return 0;
}
