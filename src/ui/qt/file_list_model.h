#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include "file_list/file_list.h"

namespace pv {

// Shows the rows of a FileList to a Qt item view. The list stays the only owner of the rows;
// the model reads them on demand and turns the list's notifications into Qt's.
//
// Appends arrive one row at a time. Announcing each to the view separately costs far more
// than the append itself, so appends are gathered and announced together when control
// returns to the event loop, or earlier when anyone asks the view about its rows
// (showPendingRows). Every other change first announces the gathered rows, so Qt always
// sees the changes in the order the list made them.
class FileListModel final : public QAbstractTableModel, private FileList::Observer {
public:
    explicit FileListModel(QObject* parent = nullptr);

    // Shows `files` and observes it; nullptr detaches. The model never touches the list when
    // it goes itself, since the list's owner may have gone first; a list that outlives the
    // model and still changes must be detached before.
    void attach(FileList* files);

    void addColumn(const QString& header);

    // Announces appended rows that the view has not been told about yet.
    void showPendingRows();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void rowsAppended(int firstRow, int lastRow) override;
    void rowChanged(int row) override;
    void rowRemoved(int row) override;
    void cleared() override;

    FileList* files_ = nullptr;
    QStringList headers_;
    // Rows the view knows about; rows beyond it in the list are still to be announced.
    int shownRows_ = 0;
    bool announcementQueued_ = false;
};

}  // namespace pv
