#include "ui/qt/file_list_view.h"

#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "ui/layout/twips.h"
#include "ui/qt/cursor_loader.h"
#include "ui/qt/dropped_files.h"
#include "ui/qt/input_codes.h"
#include "window_contract/control_failures.h"
#include "window_contract/window_events.h"

namespace pv {

namespace {

struct MouseArguments {
    int button;
    int shift;
    int x;
    int y;
};

MouseArguments ArgumentsOf(const QMouseEvent& event, Qt::MouseButtons buttons)
{
    const QPoint at = event.position().toPoint();
    return {MouseButtonBits(buttons), ShiftBits(event.modifiers()), at.x(), at.y()};
}

}  // namespace

FileListView::FileListView(QWidget* parent) : QTreeView(parent), model_(new FileListModel(this))
{
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    // The column can be dragged wider than the list, which then scrolls sideways.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setSectionsMovable(false);
    setHeaderHidden(false);
    // Rows are reordered by the program while a button is held; the view neither scrolls nor
    // drags on its own then.
    setAutoScroll(false);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setMouseTracking(true);
    setMouseTracking(true);
}

void FileListView::addColumn(const std::string& header)
{
    model_->addColumn(QString::fromStdString(header));
}

void FileListView::setColumnWidth(int column, double twips)
{
    CheckListColumn(column, model_->columnCount());
    QTreeView::setColumnWidth(column, TwipsToPixels(twips));
}

QModelIndex FileListView::rowIndex(int row) const
{
    model_->showPendingRows();
    CheckListRow(row, model_->rowCount());
    return model_->index(row - 1, 0);
}

int FileListView::selectedRow() const
{
    model_->showPendingRows();
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : rows.first().row() + 1;
}

void FileListView::selectRow(int row)
{
    const QModelIndex index = rowIndex(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void FileListView::ensureVisible(int row)
{
    scrollTo(rowIndex(row), QAbstractItemView::EnsureVisible);
}

QModelIndex FileListView::indexAt(const QPoint& point) const
{
    const QModelIndex hit = QTreeView::indexAt(point);
    const int columns = model_->columnCount();
    if (hit.isValid() || columns == 0 || !viewport()->rect().contains(point))
        return hit;
    const int columnsRight = header()->sectionViewportPosition(columns - 1) + header()->sectionSize(columns - 1) - 1;
    if (point.x() <= columnsRight)
        return hit;
    const QModelIndex rowEnd = QTreeView::indexAt(QPoint(columnsRight, point.y()));
    return rowEnd.isValid() ? rowEnd.siblingAtColumn(0) : hit;
}

int FileListView::rowAt(int x, int y) const
{
    model_->showPendingRows();
    const QPoint at(x, y);
    if (!viewport()->rect().contains(at))
        return 0;
    const QModelIndex index = indexAt(at);
    return index.isValid() ? index.row() + 1 : 0;
}

void FileListView::showDragPointer(const std::string& iconFile)
{
    viewport()->setCursor(LoadCursorFile(iconFile, viewport()->devicePixelRatioF()));
}

void FileListView::showArrowPointer()
{
    viewport()->setCursor(Qt::ArrowCursor);
}

void FileListView::disableOutwardDrag()
{
    setDragEnabled(false);
}

bool FileListView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        // Item views ask the model for a tip per row; this list has one hint for all of it.
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTip(), viewport());
        return true;
    case QEvent::WindowBlocked:
    case QEvent::WindowDeactivate:
        // A modal box took the pointer (Qt then drops the press's grab and blocks its release),
        // or another window took the pointer and keys: the press ends now, as a release ends it.
        if (heldButton_ != Qt::NoButton && events_) {
            const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
            events_->ListView1_MouseUp(MouseButtonBits(heldButton_), ShiftBits(QGuiApplication::keyboardModifiers()),
                                       at.x(), at.y());
        }
        heldButton_ = Qt::NoButton;
        break;
    default:
        break;
    }
    return QTreeView::viewportEvent(event);
}

void FileListView::mousePressEvent(QMouseEvent* event)
{
    const MouseArguments a = ArgumentsOf(*event, event->button());
    heldButton_ = event->button();
    if (events_)
        events_->ListView1_MouseDown(a.button, a.shift, a.x, a.y);
    QTreeView::mousePressEvent(event);
    const int row = rowAt(a.x, a.y);
    if (events_ && row != 0)
        events_->ListView1_ItemClick(row);
}

void FileListView::mouseMoveEvent(QMouseEvent* event)
{
    const MouseArguments a = ArgumentsOf(*event, event->buttons());
    if (events_)
        events_->ListView1_MouseMove(a.button, a.shift, a.x, a.y);
    // With a button held the program moves rows itself; the view would drag a selection.
    if (event->buttons() == Qt::NoButton)
        QTreeView::mouseMoveEvent(event);
}

void FileListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    if (event->buttons() == Qt::NoButton)
        heldButton_ = Qt::NoButton;
    const MouseArguments a = ArgumentsOf(*event, event->button());
    if (events_)
        events_->ListView1_MouseUp(a.button, a.shift, a.x, a.y);
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first press of the double-click has already selected the row.
    event->accept();
    if (events_)
        events_->ListView1_DblClick();
}

void FileListView::keyPressEvent(QKeyEvent* event)
{
    const int keyCode = WindowsKeyCode(event->key());
    if (events_ && keyCode != 0)
        events_->ListView1_KeyDown(keyCode, ShiftBits(event->modifiers()));
    QTreeView::keyPressEvent(event);
}

void FileListView::answerDragOver(QDragMoveEvent* event)
{
    const QMimeData* offered = event->mimeData();
    const bool offersFiles = offered && OffersLocalFiles(*offered);
    if (events_ && events_->ListView1_OLEDragOver(offersFiles))
        event->acceptProposedAction();
    else
        event->ignore();
}

void FileListView::dragEnterEvent(QDragEnterEvent* event)
{
    answerDragOver(event);
}

void FileListView::dragMoveEvent(QDragMoveEvent* event)
{
    answerDragOver(event);
}

void FileListView::dragLeaveEvent(QDragLeaveEvent* event)
{
    event->accept();
}

void FileListView::dropEvent(QDropEvent* event)
{
    const QMimeData* offered = event->mimeData();
    if (!offered || !OffersLocalFiles(*offered) || !events_) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    events_->ListView1_OLEDragDrop(LocalFilePaths(*offered));
}

}  // namespace pv
