#include "platform/win32/win32_default_printer_guard.h"

#include <chrono>
#include <utility>
#include <vector>

#include "platform/portable/printer_guard_watch.h"

namespace pv {
namespace {

// How long a run waits for its guard to watch, and for a released guard to end.
constexpr DWORD kWatchingTimeoutMs = 2000;
constexpr DWORD kEndTimeoutMs = 2000;

// Waits until the pipe `from` has a byte to read, at most `timeoutMs` or until `process` ends,
// and takes it.
void ReadByteWithin(HANDLE from, HANDLE process, DWORD timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    DWORD available = 0;
    while (PeekNamedPipe(from, nullptr, 0, nullptr, &available, nullptr) && available == 0 &&
           std::chrono::steady_clock::now() < deadline && WaitForSingleObject(process, 1) == WAIT_TIMEOUT) {
    }
    char byte = 0;
    DWORD read = 0;
    if (available > 0)
        ReadFile(from, &byte, 1, &read, nullptr);
}

}  // namespace

win32::KernelHandle StartGuardProcess(const std::wstring& program, const std::wstring& arguments, HANDLE input,
                                      HANDLE output)
{
    HANDLE inherited[] = {input, output};
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> listMemory(size);
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listMemory.data());
    if (!InitializeProcThreadAttributeList(list, 1, 0, &size))
        return {};
    if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited, sizeof inherited, nullptr,
                                   nullptr)) {
        DeleteProcThreadAttributeList(list);
        return {};
    }
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_FORCEOFFFEEDBACK;
    startup.StartupInfo.hStdInput = input;
    startup.StartupInfo.hStdOutput = output;
    startup.lpAttributeList = list;
    for (HANDLE handle : inherited)
        SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION created{};
    constexpr DWORD kFlags = EXTENDED_STARTUPINFO_PRESENT | CREATE_NO_WINDOW | CREATE_NEW_PROCESS_GROUP;
    // Out of the program's job, so that ending the job does not end the guard; a job that
    // does not allow it keeps the guard in.
    bool started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                  kFlags | CREATE_BREAKAWAY_FROM_JOB, nullptr, nullptr, &startup.StartupInfo, &created);
    if (!started)
        started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, kFlags, nullptr, nullptr,
                                 &startup.StartupInfo, &created);
    DeleteProcThreadAttributeList(list);
    if (!started)
        return {};
    CloseHandle(created.hThread);
    return win32::KernelHandle(created.hProcess);
}

Win32DefaultPrinterGuard::Win32DefaultPrinterGuard(std::wstring guardProgram, switch_record::SwitchRecordStore& record)
    : RecordedPrinterGuard(record),
      guardProgram_(std::move(guardProgram))
{}

void Win32DefaultPrinterGuard::startProcess(const std::string& replacedDefault) noexcept
{
    if (toGuard_.valid())
        return;
    win32::KernelHandle guardInput;
    win32::KernelHandle toGuard;
    win32::KernelHandle fromGuard;
    win32::KernelHandle guardOutput;
    if (!CreatePipe(guardInput.out(), toGuard.out(), nullptr, 0) ||
        !CreatePipe(fromGuard.out(), guardOutput.out(), nullptr, 0))
        return;
    // The guard is started by a short-lived start of its own program, which ends at once
    // giving the guard's process id: the guard is then no descendant of this program, and a
    // tree kill of it (taskkill /T) leaves the guard.
    const win32::KernelHandle starter = StartGuardProcess(
        guardProgram_, std::wstring(kGuardStarterSwitch) + L" " + std::to_wstring(GetCurrentProcessId()),
        guardInput.get(), guardOutput.get());
    DWORD guardId = 0;
    if (!starter.valid() || WaitForSingleObject(starter.get(), kWatchingTimeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(starter.get(), &guardId))
        return;
    guard_ = win32::KernelHandle(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, guardId));
    if (!guard_.valid())
        return;
    // The guard's ends close here, so that the guard's end of the program, the pipe's,
    // depends on this program alone.
    guardInput = {};
    guardOutput = {};
    toGuard_ = std::move(toGuard);
    tell(printer_guard::Record(printer_guard::kReplaced, replacedDefault));
    // Past the time-out the run goes on: the guard, once it runs, still watches.
    ReadByteWithin(fromGuard.get(), guard_.get(), kWatchingTimeoutMs);
}

void Win32DefaultPrinterGuard::endProcess() noexcept
{
    if (!toGuard_.valid())
        return;
    tell(printer_guard::Record(printer_guard::kDone));
    toGuard_ = {};
    // A released guard touches nothing; one that has not ended in time is ended here.
    if (WaitForSingleObject(guard_.get(), kEndTimeoutMs) == WAIT_TIMEOUT)
        TerminateProcess(guard_.get(), 0);
    guard_ = {};
}

void Win32DefaultPrinterGuard::tell(const std::string& record) noexcept
{
    DWORD written = 0;
    for (std::size_t sent = 0; toGuard_.valid() && sent < record.size(); sent += written) {
        if (!WriteFile(toGuard_.get(), record.data() + sent, static_cast<DWORD>(record.size() - sent), &written,
                       nullptr))
            return;
    }
}

}  // namespace pv
