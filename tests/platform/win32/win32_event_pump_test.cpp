#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/win32/win32_event_pump.h"

namespace pv {
namespace {

using namespace std::chrono_literals;

TEST(Win32EventPumpTest, HandlesMessagesWhileItWaitsAndStopsAtAQuitMessage)
{
    Win32EventPump pump;
    const DWORD thread = GetCurrentThreadId();
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // gives the thread its message queue
    std::thread poster([thread] {
        std::this_thread::sleep_for(100ms);
        PostThreadMessageW(thread, WM_APP, 0, 0);
    });
    const auto before = std::chrono::steady_clock::now();
    pump.processEventsFor(400ms);
    const auto elapsed = std::chrono::steady_clock::now() - before;
    poster.join();
    EXPECT_GE(elapsed, 400ms);
    EXPECT_LT(elapsed, 2s);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE));

    // The quit message ends the wait at once and stays for the program's main loop; every
    // later call ends at once too, dispatching nothing more, rather than spin.
    PostQuitMessage(3);
    EXPECT_THROW(pump.processEventsFor(5s), EventLoopEnded);
    PostThreadMessageW(thread, WM_APP, 0, 0);
    EXPECT_THROW(pump.processEvents(), EventLoopEnded);
    EXPECT_THROW(pump.processEventsFor(5s), EventLoopEnded);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 3s);
    EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_REMOVE));
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

}  // namespace
}  // namespace pv
