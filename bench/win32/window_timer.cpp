// window_timer PROGRAM CLASS: starts PROGRAM (its own folder as the working folder) and prints
// the milliseconds until its window of class CLASS is shown, and until the program is ready
// for input, then closes the window and waits for the program to end.

#include <windows.h>

#include <cstdio>
#include <string>

#include "shown_window.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_timer PROGRAM CLASS\n");
        return 2;
    }
    const std::wstring program = argv[1];
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    std::wstring command = L"\"" + program + L"\"";
    LARGE_INTEGER frequency{};
    LARGE_INTEGER started{};
    LARGE_INTEGER shown{};
    LARGE_INTEGER ready{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        std::fprintf(stderr, "window_timer: the program did not start\n");
        return 1;
    }
    CloseHandle(process.hThread);
    // Shown: its window is visible (polled every few milliseconds, which leaves the starting
    // program the processor and Wine's server nearly to itself). Ready: its thread waits for
    // input with nothing left to handle, what it does right after showing included.
    HWND window = nullptr;
    for (int tries = 0; tries < 10000 && !window; ++tries) {
        if (WaitForSingleObject(process.hProcess, 3) == WAIT_OBJECT_0)
            break;
        window = ShownWindow(process.dwProcessId, argv[2]);
    }
    QueryPerformanceCounter(&shown);
    if (window)
        WaitForInputIdle(process.hProcess, 30000);
    QueryPerformanceCounter(&ready);
    if (window)
        PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    if (!window) {
        std::fprintf(stderr, "window_timer: no window\n");
        return 1;
    }
    const auto ms = [&](const LARGE_INTEGER& at) {
        return (at.QuadPart - started.QuadPart) * 1000 / frequency.QuadPart;
    };
    std::printf("%lld %lld\n", ms(shown), ms(ready));
    return 0;
}
