#include "platform/win32/win32_event_pump.h"

#include <windows.h>

#include "platform/win32_support/dialog_keys.h"

namespace pv {

void Win32EventPump::dispatchPending()
{
    MSG message;
    while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            ended_ = true;
        } else {
            win32::DispatchWithDialogKeys(message);
        }
    }
    if (ended_)
        throw EventLoopEnded();
}

void Win32EventPump::processEvents()
{
    dispatchPending();
}

void Win32EventPump::processEventsFor(std::chrono::milliseconds duration)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + duration;
    for (;;) {
        dispatchPending();
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

}  // namespace pv
