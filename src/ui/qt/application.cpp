#include "ui/qt/application.h"

#include "window_contract/window_events.h"

namespace pv {

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    PassOverFailures([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace pv
