#include <chrono>
#include <cstdio>

#include <sys/resource.h>

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include "failure/failure.h"
#include "platform/qt/qt_event_pump.h"

namespace pv::testing {
namespace {

using namespace std::chrono_literals;

double ProcessorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(QtEventPump, ProcessEventsRunsWhatIsPending)
{
    QtEventPump pump;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    pump.processEvents();
    EXPECT_TRUE(ran);
}

// The program's application (made here as in the program) passes over a failure that an
// event handler lets out while no procedure runs: the loop goes on to the next event.
TEST(QtEventPump, AFailureOutOfAnEventHandlerIsPassedOverAndTheLoopGoesOn)
{
    QtEventPump pump;
    bool ranAfter = false;
    QTimer::singleShot(0, [] { throw Failure("out of a handler", 1); });
    QTimer::singleShot(0, [&] { ranAfter = true; });
    pump.processEvents();
    EXPECT_TRUE(ranAfter);
}

TEST(QtEventPump, AWaitHandlesEventsAndSleepsInBetween)
{
    QtEventPump pump;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(100);

    const double processorBefore = ProcessorSeconds();
    const auto start = std::chrono::steady_clock::now();
    pump.processEventsFor(2000ms);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double processor = ProcessorSeconds() - processorBefore;

    EXPECT_GE(elapsed, 2000ms);
    EXPECT_GE(ticks, 5);        // events are handled during the wait
    EXPECT_LT(processor, 0.2);  // spinning would take about 2 s
    std::printf("[ figures  ] a 2 s wait used %.3f s of processor time\n", processor);
}

TEST(QtEventPump, AWaitInsideAWaitEndsBothAfterTheirTime)
{
    QtEventPump pump;
    std::chrono::steady_clock::duration inner{};
    QTimer::singleShot(50, [&] {
        const auto start = std::chrono::steady_clock::now();
        pump.processEventsFor(300ms);
        inner = std::chrono::steady_clock::now() - start;
    });
    const auto start = std::chrono::steady_clock::now();
    pump.processEventsFor(100ms);
    EXPECT_GE(inner, 300ms);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 350ms);
}

// Should the application's loop be ended from elsewhere (Qt ends it when its last window has
// closed), the wait in progress ends, and every later call throws at once rather than spin.
TEST(QtEventPump, AnExitFromElsewhereEndsTheWaitAndEveryLaterCall)
{
    QtEventPump pump;
    int ended = 0;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(50, [] { QCoreApplication::exit(0); });
        const auto counted = [&](auto pumping) {
            try {
                pumping();
            } catch (const EventLoopEnded&) {
                ++ended;
            }
        };
        counted([&] { pump.processEventsFor(1h); });
        counted([&] { pump.processEvents(); });
        counted([&] { pump.processEventsFor(1h); });
    });
    const auto start = std::chrono::steady_clock::now();
    // Its end leaves no exit behind for the event loops of later tests.
    QCoreApplication::exec();
    EXPECT_EQ(ended, 3);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

}  // namespace
}  // namespace pv::testing
