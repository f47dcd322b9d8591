#include "ui/qt/main_window.h"

#include <cstdlib>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "platform/failure.h"
#include "platform/skin.h"
#include "platform/window_events.h"
#include "ui/qt/cursor_loader.h"
#include "ui/qt/file_list_view.h"
#include "ui/qt/skin_style_sheet.h"
#include "ui/qt/twips.h"

// The icon is compiled into this static library; its registration must be pulled in by name.
static void RegisterCompiledResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace pv {

namespace {

constexpr double kClientWidth = 8040;
constexpr double kClientHeight = 5520;

const char* const kListHint =
    "Drag and drop files here. Double-click item to remove it. Move bar to right and out of "
    "window to reveal full names.";

void PlaceInTwips(QWidget& widget, double left, double top, double width, double height)
{
    widget.setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                       TwipsToPixels(height));
}

QFont ArialBold(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
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

void EndProgramNow()
{
    // Nothing is left to save: the one remembered choice was written when it was made.
    std::exit(0);
}

MainWindow::MainWindow(std::function<void()> endProgram)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      endProgram_(std::move(endProgram))
{
    RegisterCompiledResources();
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
    setFont(ArialBold(9));
    PaintBackground(*this, QPalette::Window, Qt::white);
    setMouseTracking(true);

    // Created in tab order, which is also the order Qt's focus chain takes.
    list_ = new FileListView(this);
    list_->setObjectName(QStringLiteral("ListView1"));
    list_->setAccessibleName(QStringLiteral("PDF Files"));
    list_->setToolTip(QString::fromLatin1(kListHint));
    PlaceInTwips(*list_, 120, 630, 7800, 1815);
    controls_.push_back({list_, ControlKind::ListView});

    const auto addButton = [this](int number, const char* caption, double left, double top,
                                  double width) {
        QPushButton* button = makeButton(number, caption);
        PlaceInTwips(*button, left, top, width, 405);
        controls_.push_back({button, ControlKind::PushButton});
    };
    addButton(1, "Add PDF File(s)", 120, 2530, 3840);
    addButton(3, "Add All PDF File(s) In Folder", 4080, 2530, 3840);
    addButton(4, "Clear List", 120, 3040, 3840);
    addButton(5, "Load Sample/Example Files", 4080, 3040, 3840);
    addButton(6, "Help", 120, 120, 7800);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setAccessibleName(QStringLiteral("Progress"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    PaintBackground(*progress_, QPalette::Base, Qt::white);
    PlaceInTwips(*progress_, 120, 4980, 7800, 405);
    controls_.push_back({progress_, ControlKind::ProgressBar});

    addButton(2, "Start Printing", 120, 4460, 7800);

    frame_ = new QGroupBox(QStringLiteral("Select Printer"), this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setAccessibleName(QStringLiteral("Select Printer"));
    frame_->setMouseTracking(true);
    frame_->installEventFilter(this);
    PlaceInTwips(*frame_, 120, 3510, 7800, 825);
    controls_.push_back({frame_, ControlKind::Frame});

    combo_ = new QComboBox(frame_);
    combo_->setObjectName(QStringLiteral("Combo1"));
    combo_->setAccessibleName(QStringLiteral("Select Printer"));
    combo_->setEditable(false);
    PlaceInTwips(*combo_, 240, 300, 7320, 345);
    controls_.push_back({combo_, ControlKind::ComboBox});

    comboBox_ = std::make_unique<ComboBoxAdapter>(*combo_, [this] {
        if (events_)
            events_->Combo1_Click();
    });
    progressBar_ = std::make_unique<ProgressBarAdapter>(*progress_);

    list_->setFocus();
}

MainWindow::~MainWindow() = default;

QPushButton* MainWindow::makeButton(int number, const char* caption)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QStringLiteral("PushButton%1").arg(number));
    button->setAccessibleName(button->text());
    button->setFont(ArialBold(11.25));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, Qt::white);
    button->setPalette(palette);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    buttons_[number - 1] = button;
    connect(button, &QPushButton::clicked, this, [this, number] {
        if (!events_)
            return;
        switch (number) {
        case 1: events_->PushButton1_Click(); break;
        case 2: events_->PushButton2_Click(); break;
        case 3: events_->PushButton3_Click(); break;
        case 4: events_->PushButton4_Click(); break;
        case 5: events_->PushButton5_Click(); break;
        case 6: events_->PushButton6_Click(); break;
        }
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
    case PointerKind::Default: setCursor(Qt::ArrowCursor); break;
    case PointerKind::Busy: setCursor(Qt::WaitCursor); break;
    case PointerKind::Custom: setCursor(customCursor_ ? *customCursor_ : QCursor(Qt::ArrowCursor)); break;
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
        customCursor_ = LoadCursorFile(cursorFile);
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
    const QPixmap picture(QStringLiteral(":/pressvale/pressvale.png"));
    if (picture.isNull())
        throw Failure("Invalid picture", failure_code::kInvalidPicture);
    const QIcon icon(picture);
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
    if (index < 0 || index >= controlCount())
        throw Failure("Subscript out of range", failure_code::kSubscriptOutOfRange);
    return controls_[index].kind;
}

void MainWindow::useButtonFaceBackground(int controlIndex)
{
    if (controlIndex < 0 || controlIndex >= controlCount())
        throw Failure("Subscript out of range", failure_code::kSubscriptOutOfRange);
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
    move(TwipsToPixels(leftTwips), TwipsToPixels(topTwips));
}

void MainWindow::applySkin(const Skin& skin)
{
    // The sheet also reaches the dialogs and message boxes opened over this window when the
    // skin asks for it, since they take their parent's style sheet.
    setStyleSheet(SkinStyleSheet(skin));
}

ScreenPoint MainWindow::cursorPosition() const
{
    const QPoint at = QCursor::pos();
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
    if (endProgram_)
        endProgram_();
}

}  // namespace pv
