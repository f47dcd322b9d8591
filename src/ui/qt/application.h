#pragma once

#include <QApplication>

namespace pv {

// The program's Qt application object. Qt carries no exception through its event loop: a
// failure that an event handler lets out (of an event procedure without a trap of its own, or
// of the window itself) is passed over where Qt hands the event on, and the loop goes on.
class Application final : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace pv
