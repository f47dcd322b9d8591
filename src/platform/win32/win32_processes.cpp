#include "platform/win32/win32_processes.h"

#include <limits>

#include "platform/win32_support/system_error.h"
#include "platform/win32_support/wide_text.h"

namespace pv {
namespace {

HANDLE AsHandle(Processes::Handle handle)
{
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(handle));
}

}  // namespace

WORD ShowCodeFor(int windowStyle)
{
    switch (windowStyle) {
    case 0:
        return SW_HIDE;
    case 1:
        return SW_SHOWNORMAL;
    case 2:
        return SW_SHOWMINIMIZED;
    case 3:
        return SW_SHOWMAXIMIZED;
    case 4:
        return SW_SHOWNOACTIVATE;
    case 5:
        return SW_SHOW;
    default:
        return SW_SHOWMINNOACTIVE;
    }
}

std::int64_t Win32Processes::start(const std::string& commandLine, int windowStyle)
{
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring line = win32::Wide(commandLine);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = ShowCodeFor(windowStyle);
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created))
        throw win32::SystemFailure("Cannot start \"" + commandLine + "\"", GetLastError());
    CloseHandle(created.hThread);

    releaseEnded();
    started_[created.dwProcessId] = win32::KernelHandle(created.hProcess);
    return created.dwProcessId;
}

std::optional<Processes::Handle> Win32Processes::open(std::int64_t processId)
{
    if (processId <= 0 || processId > std::numeric_limits<DWORD>::max())
        return std::nullopt;
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(processId));
    if (!process)
        return std::nullopt;
    return static_cast<Handle>(reinterpret_cast<std::intptr_t>(process));
}

bool Win32Processes::exitStatus(Handle handle, std::int32_t& status)
{
    DWORD code = 0;
    if (!GetExitCodeProcess(AsHandle(handle), &code))
        return false;
    status = static_cast<std::int32_t>(code);
    return true;
}

void Win32Processes::close(Handle handle)
{
    started_.erase(GetProcessId(AsHandle(handle)));
    CloseHandle(AsHandle(handle));
}

void Win32Processes::releaseEnded()
{
    std::erase_if(started_,
                  [](const auto& entry) { return WaitForSingleObject(entry.second.get(), 0) == WAIT_OBJECT_0; });
}

}  // namespace pv
