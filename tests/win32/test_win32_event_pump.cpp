#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/win32/win32_event_pump.h"

namespace pv {
namespace {

using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

constexpr UINT kTestMessage = WM_APP + 1;

bool MessageWaiting(UINT message)
{
    MSG waiting;
    return PeekMessageW(&waiting, nullptr, message, message, PM_NOREMOVE);
}

TEST(Win32EventPumpTest, HandlesMessagesAsTheyArriveAndWaitsOutTheTime)
{
    Win32EventPump pump;
    const DWORD thread = GetCurrentThreadId();
    MessageWaiting(kTestMessage);  // gives the thread its message queue
    PostThreadMessageW(thread, kTestMessage, 0, 0);
    pump.processEvents();
    EXPECT_FALSE(MessageWaiting(kTestMessage));

    std::thread poster([thread] {
        std::this_thread::sleep_for(100ms);
        PostThreadMessageW(thread, kTestMessage, 0, 0);
    });
    const Steady::time_point before = Steady::now();
    pump.processEventsFor(400ms);
    const auto elapsed = Steady::now() - before;
    poster.join();
    EXPECT_GE(elapsed, 400ms);
    EXPECT_LT(elapsed, 2s);
    EXPECT_FALSE(MessageWaiting(kTestMessage));
}

TEST(Win32EventPumpTest, AQuitMessageEndsTheWaitAndStaysForTheMainLoop)
{
    Win32EventPump pump;
    PostQuitMessage(3);
    const Steady::time_point before = Steady::now();
    pump.processEventsFor(5s);
    EXPECT_LT(Steady::now() - before, 1s);
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
}

}  // namespace
}  // namespace pv
