#include "platform/qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace pv {

void QtEventPump::processEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtEventPump::processEventsFor(std::chrono::milliseconds duration)
{
    if (duration.count() <= 0) {
        processEvents();
        return;
    }
    // A precise timer, because a coarse one may end the wait up to 5 % early. Another wait
    // started inside this one runs to its own end first; this one then returns at once.
    QEventLoop loop;
    QTimer::singleShot(duration, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::AllEvents);
}

}  // namespace pv
