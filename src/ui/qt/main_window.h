#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QCursor>
#include <QWidget>

#include "ui/qt/combo_box_control.h"
#include "ui/qt/progress_bar_control.h"
#include "window_contract/window_controls.h"

class QComboBox;
class QGroupBox;
class QProgressBar;
class QPushButton;

namespace pv {

namespace layout {
struct Control;
}

class FileList;
class FileListView;
class MainWindowEvents;

// Form1, the program's one window: a fixed-size window with the file list, six buttons, the
// printer box in its frame and the progress bar. What the user does is handed to the
// window's event procedures (setEvents); the window itself decides nothing.
class MainWindow final : public QWidget, public WindowSurface {
public:
    // `endEventLoop` runs when the window closes, after Form_Unload: it ends the program's
    // event loop, and the waits inside it unwind.
    explicit MainWindow(std::function<void()> endEventLoop);
    ~MainWindow() override;

    void setEvents(MainWindowEvents* events);
    // Shows the rows of `files`; nullptr detaches. A list that outlives the window and still
    // changes must be detached first.
    void attachFileList(FileList* files);

    ListViewControl& listView();
    ComboBoxControl& comboBox() { return *comboBox_; }
    ProgressBarControl& progressBar() { return *progressBar_; }

    PointerKind pointer() const override { return pointer_; }
    void setPointer(PointerKind kind) override;
    void loadCustomPointer(const std::string& cursorFile) override;
    void setCaption(const std::string& caption) override;
    void setApplicationIcon() override;
    void useButtonFaceBackground() override;
    int controlCount() const override;
    ControlKind controlKind(int index) const override;
    void useButtonFaceBackground(int controlIndex) override;
    SizeTwips outerSize() const override;
    SizeTwips screenSize() const override;
    void moveTo(double leftTwips, double topTwips) override;
    void applySkin(const Skin& skin) override;
    ScreenPoint cursorPosition() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Control {
        QWidget* widget;
        ControlKind kind;
    };

    QWidget* makeControl(const layout::Control& control, QWidget* parent);
    QPushButton* makeButton(int number, const char* caption, QWidget* parent);
    void showPointer();

    std::function<void()> endEventLoop_;
    MainWindowEvents* events_ = nullptr;
    FileListView* list_;
    std::array<QPushButton*, 6> buttons_{};  // PushButton1 .. PushButton6
    QProgressBar* progress_;
    QGroupBox* frame_;
    QComboBox* combo_;
    std::vector<Control> controls_;  // in the window's own order, which is the tab order
    std::unique_ptr<ComboBoxAdapter> comboBox_;
    std::unique_ptr<ProgressBarAdapter> progressBar_;
    PointerKind pointer_ = PointerKind::Default;
    std::optional<QCursor> customCursor_;
    QPoint placedAt_;  // where moveTo put the window's frame
};

}  // namespace pv
