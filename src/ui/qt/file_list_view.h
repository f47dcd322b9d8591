#pragma once

#include <QTreeView>

#include "ui/qt/file_list_model.h"
#include "window_contract/window_controls.h"

namespace pv {

class MainWindowEvents;

// ListView1: the file list in a one-column report view with a header. The user's mouse, key
// and drop actions are handed to the window's event procedures; the view itself only selects
// the row pressed on, moves the current row with the keys and scrolls.
class FileListView final : public QTreeView, public ListViewControl {
public:
    explicit FileListView(QWidget* parent = nullptr);

    void setEvents(MainWindowEvents* events) { events_ = events; }
    void attach(FileList* files) { model_->attach(files); }

    void addColumn(const std::string& header) override;
    void setColumnWidth(int column, double twips) override;
    int selectedRow() const override;
    void selectRow(int row) override;
    void ensureVisible(int row) override;
    int rowAt(int x, int y) const override;
    void showDragPointer(const std::string& iconFile) override;
    void showArrowPointer() override;
    void disableOutwardDrag() override;

    // Rows are whole: a point right of a column narrower than the list still hits its row,
    // for the view's own selection as for the program's hit test.
    QModelIndex indexAt(const QPoint& point) const override;

protected:
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The index of 1-based `row`, after announcing any rows appended since the last turn of
    // the event loop. Throws Failure for a row that does not exist.
    QModelIndex rowIndex(int row) const;
    void answerDragOver(QDragMoveEvent* event);

    FileListModel* model_;
    MainWindowEvents* events_ = nullptr;
    // The button of a press on the list until every button is released; else NoButton.
    Qt::MouseButton heldButton_ = Qt::NoButton;
};

}  // namespace pv
