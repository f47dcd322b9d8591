// pressvale-guard.exe: started by Pressvale as a print run changes the user's default printer,
// it puts the replaced default back should the program end without doing so itself. It reads
// what the program tells it on its standard input, answers on its standard output, and shows
// nothing. Its one argument is the program's process id. Started with the starter switch
// before that id, it starts the guard proper and ends at once (win32_default_printer_guard.h).
// Started with --restore (at log-in, by the RunOnce value a run leaves while it is open), it
// acts on the switch record of runs that ended without putting the default back.

#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "platform/portable/printer_guard_watch.h"
#include "platform/win32/win32_default_printer_guard.h"
#include "platform/win32/win32_printers.h"
#include "platform/win32/win32_switch_record_store.h"
#include "platform/win32_support/owned.h"
#include "platform/win32_support/program_path.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    if (__argc == 3 && std::wcscmp(__wargv[1], pv::kGuardStarterSwitch) == 0) {
        const pv::win32::KernelHandle guard = pv::StartGuardProcess(
            pv::win32::ProgramPath(), __wargv[2], GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE));
        return guard.valid() ? static_cast<int>(GetProcessId(guard.get())) : 0;
    }
    pv::Win32SwitchRecordStore record(pv::win32::ProgramPath());
    pv::Win32Printers printers;
    if (__argc == 2 && std::wcscmp(__wargv[1], pv::kRestoreSwitch) == 0) {
        pv::switch_record::RestoreAtLogIn(record, printers);
        return 0;
    }
    // The program's process is held from the start: once its pipe has closed, the guard waits
    // for the process to be gone before it acts.
    const DWORD programId = __argc > 1 ? static_cast<DWORD>(std::wcstoul(__wargv[1], nullptr, 10)) : 0;
    const pv::win32::KernelHandle program(OpenProcess(SYNCHRONIZE, FALSE, programId));
    const pv::switch_record::ProgramIdentity programIdentity = pv::Win32SwitchRecordStore::identify(programId);
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);

    std::optional<pv::switch_record::SwitchRecord> told = pv::printer_guard::WatchProgram(
        [&] {
            char buffer[4096];
            DWORD count = 0;
            if ((!ReadFile(input, buffer, sizeof buffer, &count, nullptr) || count == 0) && program.valid())
                WaitForSingleObject(program.get(), 5000);
            return std::string(buffer, count);
        },
        [&] {
            const char watching = pv::printer_guard::kWatching;
            DWORD written = 0;
            WriteFile(output, &watching, 1, &written, nullptr);
            CloseHandle(output);
        });
    if (told) {
        told->programs.push_back(programIdentity);
        pv::switch_record::SettleAfterProgramEnded(record, printers, *told);
    }
    return 0;
}
