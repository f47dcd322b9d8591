#include "platform/qt/qt_file_dialogs.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QFileDialog>

#include "platform/qt/open_dialog_text.h"

namespace pv {

std::string QtFileDialogs::showOpen(const OpenFileDialogSettings& settings)
{
    QFileDialog dialog(owner_, QString::fromStdString(settings.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (settings.flags & open_flags::kAllowMultiSelect) {
        // The file list and the detail view of Qt's dialog carry these names.
        for (const char* name : {"listView", "treeView"}) {
            if (auto* view = dialog.findChild<QAbstractItemView*>(QLatin1String(name)))
                view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        }
    }
    // The dialog shows each description as given; the patterns behind it are Qt's form.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = QtNameFilters(settings.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }
    if (!settings.fileName.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(settings.fileName)));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return OpenDialogResult(dialog.selectedFiles(), settings.maxFileNameLength);
}

std::string QtFileDialogs::browseForFolder(const std::string& title)
{
    QFileDialog dialog(owner_, QString::fromStdString(title), QDir::homePath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return FolderPickerResult(dialog.selectedFiles().value(0));
}

}  // namespace pv
