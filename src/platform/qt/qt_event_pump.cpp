#include "platform/qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace pv {

void QtEventPump::processEvents()
{
    throwOnceEnded();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    throwOnceEnded();
}

void QtEventPump::processEventsFor(std::chrono::milliseconds duration)
{
    if (duration.count() <= 0) {
        processEvents();
        return;
    }
    throwOnceEnded();
    // A precise timer, because a coarse one may end the wait up to 5 % early. Another wait
    // started inside this one runs to its own end first; this one then returns at once.
    QEventLoop loop;
    bool timeUp = false;
    QTimer::singleShot(duration, Qt::PreciseTimer, &loop, [&] {
        timeUp = true;
        loop.quit();
    });
    loop.exec(QEventLoop::AllEvents);
    // Only the application's exit ends this loop before its time, whoever called it; every
    // loop started after it returns at once.
    if (!timeUp)
        ended_ = true;
    throwOnceEnded();
}

void QtEventPump::endLoop()
{
    ended_ = true;
    QCoreApplication::exit(0);
}

void QtEventPump::throwOnceEnded() const
{
    if (ended_)
        throw EventLoopEnded();
}

}  // namespace pv
