// The printer guard's cost per print run under Wine or Windows: the switch record written, the
// program's guard started, told the replaced default and a printer, released and ended, the
// record removed, against a bare start of the
// same program with nothing to watch, which ends at once, timed in the same run. Prints
// figures only.
//
//   bench_printer_guard GUARD_PROGRAM [RUNS]

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/win32_default_printer_guard.h"
#include "platform/win32/win32_switch_record_store.h"

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

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_printer_guard GUARD_PROGRAM [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 15;
    pv::Win32SwitchRecordStore record(argv[1]);
    pv::Win32DefaultPrinterGuard guard(argv[1], record);
    const double guarded = MedianMilliseconds(runs, [&] {
        guard.arm("office");
        guard.watch("label");
        guard.release([](const std::string&) {});
    });
    const double bare = MedianMilliseconds(runs, [&] {
        std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                           &startup, &started)) {
            WaitForSingleObject(started.hProcess, INFINITE);
            CloseHandle(started.hThread);
            CloseHandle(started.hProcess);
        }
    });
    std::printf("printer guard per run (median of %d):     %.1f ms (started, watching, released, ended)\n", runs,
                guarded);
    std::printf("the guard started with nothing to watch:  %.1f ms\n", bare);
    std::printf("ratio:                                     %.2f\n", guarded / bare);
    return 0;
}
