#include "platform/win32/console_close.h"

#include "platform/win32_support/owned.h"

namespace pv {
namespace {

// Less than the five seconds Windows gives a handler before it ends the process anyway.
constexpr DWORD kLeaveTimeoutMs = 4000;

HWND closedWindow = nullptr;
// Set once the program has left its message loop.
win32::KernelHandle loopLeft;

BOOL WINAPI CloseOnConsoleEvent(DWORD)
{
    PostMessageW(closedWindow, WM_CLOSE, 0, 0);
    WaitForSingleObject(loopLeft.get(), kLeaveTimeoutMs);
    return TRUE;
}

}  // namespace

ConsoleClose::ConsoleClose(HWND window)
{
    closedWindow = window;
    loopLeft = win32::KernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    SetConsoleCtrlHandler(CloseOnConsoleEvent, TRUE);
}

ConsoleClose::~ConsoleClose()
{
    SetEvent(loopLeft.get());
    SetConsoleCtrlHandler(CloseOnConsoleEvent, FALSE);
}

}  // namespace pv
