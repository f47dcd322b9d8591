#include "ui/qt/file_list_model.h"

#include <QFile>
#include <QMetaObject>

namespace pv {

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent)
{}

void FileListModel::attach(FileList* files)
{
    beginResetModel();
    if (files_)
        files_->setObserver(nullptr);
    files_ = files;
    if (files_)
        files_->setObserver(this);
    shownRows_ = files_ ? files_->count() : 0;
    endResetModel();
}

void FileListModel::addColumn(const QString& header)
{
    const int column = static_cast<int>(headers_.size());
    beginInsertColumns(QModelIndex(), column, column);
    headers_.append(header);
    endInsertColumns();
}

void FileListModel::showPendingRows()
{
    const int total = files_ ? files_->count() : 0;
    if (total <= shownRows_)
        return;
    beginInsertRows(QModelIndex(), shownRows_, total - 1);
    shownRows_ = total;
    endInsertRows();
}

int FileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

int FileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const
{
    if (!files_ || !index.isValid() || index.column() != 0 || index.row() >= files_->count())
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    // Paths are native bytes; they are decoded only to be shown.
    return QFile::decodeName(QByteArray::fromStdString(files_->text(index.row() + 1)));
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    return headers_.at(section);
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void FileListModel::rowsAppended(int, int)
{
    if (announcementQueued_)
        return;
    announcementQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            announcementQueued_ = false;
            showPendingRows();
        },
        Qt::QueuedConnection);
}

void FileListModel::rowChanged(int row)
{
    showPendingRows();
    const QModelIndex changed = index(row - 1, 0);
    if (changed.isValid())
        emit dataChanged(changed, changed);
}

void FileListModel::rowRemoved(int row)
{
    // The list has already dropped the row: before that it held one more. Gathered appends
    // are announced as they stood before the removal, then the removal itself.
    const int total = files_->count() + 1;
    if (total > shownRows_ && row > shownRows_)
        return;  // an unannounced row went: the view never knew it
    if (total > shownRows_) {
        beginInsertRows(QModelIndex(), shownRows_, total - 1);
        shownRows_ = total;
        endInsertRows();
    }
    beginRemoveRows(QModelIndex(), row - 1, row - 1);
    --shownRows_;
    endRemoveRows();
}

void FileListModel::cleared()
{
    beginResetModel();
    shownRows_ = 0;
    endResetModel();
}

}  // namespace pv
