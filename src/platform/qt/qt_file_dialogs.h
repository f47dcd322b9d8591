#pragma once

#include <QPointer>
#include <QWidget>

#include "services/dialogs.h"

namespace pv {

// The open-file dialog and the folder picker through Qt's own QFileDialog, modal over the
// main window once it is known.
//
// The open-file dialog lets the user choose several files when asked to, and also accepts a
// typed name of a file that does not exist (Qt's "existing files" mode would refuse it), so
// it runs in Qt's "any file" mode with several-row selection switched on in its views.
// Qt's dialog still has two limits: when several names are typed at once, those of files
// that do not exist are left out; and it decodes file names to text, so a name that is not
// valid UTF-8 does not come back byte for byte.
class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* owner = nullptr) : owner_(owner) {}

    std::string showOpen(const OpenFileDialogSettings& settings) override;
    std::string browseForFolder(const std::string& title) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace pv
