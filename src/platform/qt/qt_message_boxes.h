#pragma once

#include <string>

#include <QPointer>
#include <QString>
#include <QWidget>

#include "services/dialogs.h"

namespace pv {

// The text a message box shows for a composed text: carriage returns, alone or before a line
// feed, become line breaks. The composed text itself is never changed.
QString MessageBoxDisplayText(const std::string& text);

// Modal message boxes through QMessageBox, over the main window once it is known.
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* owner = nullptr) : owner_(owner) {}

    BoxAnswer show(const std::string& text, const std::string& title, BoxButtons buttons, BoxIcon icon) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace pv
