#include "ui/qt/main_window.h"

#include <stdexcept>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QImageReader>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "ui/layout/main_window_layout.h"
#include "ui/layout/twips.h"
#include "ui/qt/cursor_loader.h"
#include "ui/qt/file_list_view.h"
#include "ui/qt/skin_style_sheet.h"
#include "window_contract/control_failures.h"
#include "window_contract/skin.h"
#include "window_contract/window_events.h"

// The icon is compiled into this static library; its registration must be pulled in by name.
static void RegisterCompiledResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace pv {

namespace {

QFont QtFont(const layout::Font& font)
{
    QFont made(QString::fromLatin1(font.face));
    made.setPointSizeF(font.points);
    made.setBold(font.bold);
    return made;
}

void PaintBackground(QWidget& widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

QColor ButtonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

}  // namespace

MainWindow::MainWindow(std::function<void()> endEventLoop)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      endEventLoop_(std::move(endEventLoop))
{
    RegisterCompiledResources();
    setObjectName(QString::fromLatin1(layout::kWindowName));
    setFixedSize(TwipsToPixels(layout::kClientWidth), TwipsToPixels(layout::kClientHeight));
    setFont(QtFont(layout::kWindowFont));
    PaintBackground(*this, QPalette::Window, Qt::white);
    setMouseTracking(true);

    // Created in tab order, which is also the order Qt's focus chain takes.
    for (const layout::Control& control : layout::MainWindowControls()) {
        QWidget* parent = control.parent ? findChild<QWidget*>(QString::fromLatin1(control.parent)) : this;
        QWidget* widget = makeControl(control, parent);
        widget->setObjectName(QString::fromLatin1(control.name));
        widget->setAccessibleName(QString::fromLatin1(control.accessibleName));
        if (control.font)
            widget->setFont(QtFont(*control.font));
        const layout::PlaceTwips& place = control.place;
        widget->setGeometry(TwipsToPixels(place.left), TwipsToPixels(place.top), TwipsToPixels(place.width),
                            TwipsToPixels(place.height));
        controls_.push_back({widget, control.kind});
    }

    comboBox_ = std::make_unique<ComboBoxAdapter>(*combo_, [this] {
        if (events_)
            events_->Combo1_Click();
    });
    progressBar_ = std::make_unique<ProgressBarAdapter>(*progress_);

    list_->setFocus();
}

MainWindow::~MainWindow()
{
    // Closing deactivates the window, which ends a held press on the list: by then the
    // procedures' owner may be gone, so a window that goes away reports to nobody.
    setEvents(nullptr);
}

QWidget* MainWindow::makeControl(const layout::Control& control, QWidget* parent)
{
    switch (control.kind) {
    case ControlKind::ListView:
        list_ = new FileListView(parent);
        list_->setToolTip(QString::fromLatin1(layout::kListToolTip));
        return list_;
    case ControlKind::PushButton:
        return makeButton(control.number, control.caption, parent);
    case ControlKind::ProgressBar:
        progress_ = new QProgressBar(parent);
        progress_->setRange(0, 100);
        progress_->setValue(0);
        progress_->setTextVisible(false);
        PaintBackground(*progress_, QPalette::Base, Qt::white);
        return progress_;
    case ControlKind::Frame:
        frame_ = new QGroupBox(QString::fromLatin1(control.caption), parent);
        frame_->setMouseTracking(true);
        frame_->installEventFilter(this);
        return frame_;
    case ControlKind::ComboBox:
        combo_ = new QComboBox(parent);
        combo_->setEditable(false);
        return combo_;
    default:
        throw std::logic_error("The main window has no control of this kind");
    }
}

QPushButton* MainWindow::makeButton(int number, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    // Enter clicks the focused button as Space does, as in a dialog; outside one, Qt's buttons
    // take Enter only when asked to.
    button->setAutoDefault(true);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, Qt::white);
    button->setPalette(palette);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    buttons_[number - 1] = button;
    connect(button, &QPushButton::clicked, this, [this, number] {
        if (events_)
            ClickPushButton(*events_, number);
    });
    return button;
}

void MainWindow::setEvents(MainWindowEvents* events)
{
    events_ = events;
    list_->setEvents(events);
}

void MainWindow::attachFileList(FileList* files)
{
    list_->attach(files);
}

ListViewControl& MainWindow::listView()
{
    return *list_;
}

void MainWindow::showPointer()
{
    switch (pointer_) {
    case PointerKind::Default:
        setCursor(Qt::ArrowCursor);
        break;
    case PointerKind::Busy:
        setCursor(Qt::WaitCursor);
        break;
    case PointerKind::Custom:
        setCursor(customCursor_ ? *customCursor_ : QCursor(Qt::ArrowCursor));
        break;
    }
}

void MainWindow::setPointer(PointerKind kind)
{
    pointer_ = kind;
    showPointer();
}

void MainWindow::loadCustomPointer(const std::string& cursorFile)
{
    try {
        customCursor_ = LoadCursorFile(cursorFile, devicePixelRatioF());
    } catch (...) {
        customCursor_.reset();
        showPointer();
        throw;
    }
    showPointer();
}

void MainWindow::setCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

void MainWindow::setApplicationIcon()
{
    // The application icon's own drawings at the sizes a window icon is shown at, rather than
    // one large picture that every start would decode and scale down. Naming the format
    // spares the reader a search through the image plugins.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QImageReader reader(QStringLiteral(":/pressvale/icon/%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage picture = reader.read();
        if (picture.isNull())
            ThrowInvalidPicture();
        icon.addPixmap(QPixmap::fromImage(picture));
    }
    setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
}

void MainWindow::useButtonFaceBackground()
{
    PaintBackground(*this, QPalette::Window, ButtonFace());
}

int MainWindow::controlCount() const
{
    return static_cast<int>(controls_.size());
}

ControlKind MainWindow::controlKind(int index) const
{
    CheckControlIndex(index, controlCount());
    return controls_[index].kind;
}

void MainWindow::useButtonFaceBackground(int controlIndex)
{
    CheckControlIndex(controlIndex, controlCount());
    PaintBackground(*controls_[controlIndex].widget, QPalette::Window, ButtonFace());
}

SizeTwips MainWindow::outerSize() const
{
    const QRect outer = frameGeometry();
    return {PixelsToTwips(outer.width()), PixelsToTwips(outer.height())};
}

SizeTwips MainWindow::screenSize() const
{
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!display)
        return {};
    const QRect whole = display->geometry();
    return {PixelsToTwips(whole.width()), PixelsToTwips(whole.height())};
}

void MainWindow::moveTo(double leftTwips, double topTwips)
{
    placedAt_ = QPoint(TwipsToPixels(leftTwips), TwipsToPixels(topTwips));
    move(placedAt_);
}

void MainWindow::applySkin(const Skin& skin)
{
    // The sheet also reaches the dialogs and message boxes opened over this window when the
    // skin asks for it, since they take their parent's style sheet.
    setStyleSheet(SkinStyleSheet(ResolveSkinLook(skin)));
}

ScreenPoint MainWindow::cursorPosition() const
{
    QPoint at = QCursor::pos();
    // A Wayland client is never told where its window is, and Qt counts as if it stood at the
    // screen's top left. The place is counted as if the window stood where it was placed, as
    // it does on X, so that a drag scrolls the list at the same places in the window.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        at += placedAt_ - pos();
    return {at.x(), at.y()};
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (events_ && (type == QEvent::MouseMove || type == QEvent::Enter)) {
        for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
            if (watched == buttons_[i])
                events_->PushButton_MouseMove(i + 1);
        }
        // Only the frame's own surface: moves over the printer box inside it are the box's.
        if (watched == frame_ && type == QEvent::MouseMove &&
            !frame_->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
            events_->Frame1_MouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    // Moves that a control left unhandled come up here too; only the background counts.
    if (events_ && !childAt(event->position().toPoint()))
        events_->Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (events_)
        events_->Form_Unload();
    event->accept();
    if (endEventLoop_)
        endEventLoop_();
}

}  // namespace pv
