#include <chrono>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QtTest/QTest>

#include "failure/failure.h"
#include "platform/qt/qt_event_pump.h"
#include "support/contract/window_contract.h"
#include "ui/layout/main_window_layout.h"
#include "window_contract/skin.h"
#include "window_fixture.h"

namespace pv::testing {
namespace {

class MainWindowTest : public WindowFixture {
protected:
    template <typename T = QWidget>
    T* control(const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void moveMouseOver(QWidget* widget, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
};

TEST_F(MainWindowTest, PlacesEveryControlAndKeepsAFixedClientArea)
{
    EXPECT_EQ(window.objectName(), "Form1");
    EXPECT_EQ(window.size(), QSize(536, 368));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(control("Combo1")->parentWidget(), control("Frame1"));
}

TEST_F(MainWindowTest, TheFocusChainFollowsTheLayoutTable)
{
    QStringList order;
    QWidget* widget = control("ListView1");
    do {
        for (const layout::Control& c : layout::MainWindowControls()) {
            if (widget->objectName() == QLatin1String(c.name))
                order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != control("ListView1"));
    QStringList expected;
    for (const layout::Control& c : layout::MainWindowControls())
        expected << QString::fromLatin1(c.name);
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, CaptionsAccessibleNamesAndFonts)
{
    for (const layout::Control& c : layout::MainWindowControls()) {
        if (c.kind != ControlKind::PushButton)
            continue;
        auto* button = control<QPushButton>(c.name);
        EXPECT_EQ(button->text(), c.caption);
        EXPECT_EQ(button->font().family(), "Arial");
        EXPECT_DOUBLE_EQ(button->font().pointSizeF(), 11.25);
        EXPECT_TRUE(button->font().bold());
    }
    EXPECT_EQ(control<QGroupBox>("Frame1")->title(), layout::ControlNamed("Frame1").caption);
    for (QWidget* widget :
         {static_cast<QWidget*>(&window), control("ListView1"), control("Frame1"), control("Combo1")}) {
        EXPECT_EQ(widget->font().family(), "Arial");
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), 9);
        EXPECT_TRUE(widget->font().bold());
    }
    EXPECT_FALSE(control<QComboBox>("Combo1")->isEditable());
    auto* bar = control<QProgressBar>("ProgressBar1");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::white));

    window.setCaption("Pressvale");
    EXPECT_EQ(window.windowTitle(), "Pressvale");
}

TEST_F(MainWindowTest, PointerKindsShowAsCursorShapes)
{
    EXPECT_EQ(window.pointer(), PointerKind::Default);
    window.setPointer(PointerKind::Busy);
    EXPECT_EQ(window.pointer(), PointerKind::Busy);
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    // The window's hover procedures decide about the pointer; forwarding them changes nothing.
    moveMouseOver(control("PushButton1"), {5, 5});
    moveMouseOver(&window, {2, 2});
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);

    window.setPointer(PointerKind::Custom);  // no image loaded yet: the arrow
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    window.loadCustomPointer(writeIcon("hand.ico"));
    EXPECT_EQ(window.cursor().shape(), Qt::BitmapCursor);
    window.setPointer(PointerKind::Default);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);

    // A file that is no cursor fails and leaves the custom kind without an image.
    EXPECT_THROW(window.loadCustomPointer(folder.filePath("missing.cur").toStdString()), Failure);
    window.setPointer(PointerKind::Custom);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(control("PushButton3")->cursor().shape(), Qt::ArrowCursor);  // inherited
}

// Controls without a hover procedure of their own report nothing to their parents.
TEST_F(MainWindowTest, HoverOverTheBoxAndTheBarReportsNothingAndEnteringAButtonReportsIt)
{
    moveMouseOver(control("Combo1"), {4, 4});
    moveMouseOver(control("ProgressBar1"), {4, 4});
    EXPECT_TRUE(events.calls.empty()) << events.calls.front();

    events.calls.clear();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(control("PushButton4"), &enter);
    EXPECT_EQ(events.calls, std::vector<std::string>{"PushButton_MouseMove 4"});
}

TEST_F(MainWindowTest, ClosingUnloadsTheFormAndEndsTheProgram)
{
    window.close();
    EXPECT_EQ(events.calls, std::vector<std::string>{"Form_Unload"});
    EXPECT_EQ(programEnds, 1);
}

TEST(MainWindowClosing, EndsTheEventLoopAndTheWaitInsideIt)
{
    RecordingEvents events;
    QtEventPump pump;
    MainWindow window([&pump] { pump.endLoop(); });
    window.setEvents(&events);
    window.show();
    // As a print run waiting for the reader while the user closes the window.
    bool waitEnded = false;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(10, &window, &QWidget::close);
        try {
            pump.processEventsFor(std::chrono::minutes(1));
        } catch (const EventLoopEnded&) {
            waitEnded = true;
        }
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(waitEnded);
    EXPECT_EQ(events.callsStartingWith("Form_Unload"), std::vector<std::string>{"Form_Unload"});
}

TEST_F(MainWindowTest, ControlsInWindowOrderAndButtonFaceBackgrounds)
{
    const ControlKind kinds[] = {ControlKind::ListView,    ControlKind::PushButton, ControlKind::PushButton,
                                 ControlKind::PushButton,  ControlKind::PushButton, ControlKind::PushButton,
                                 ControlKind::ProgressBar, ControlKind::PushButton, ControlKind::Frame,
                                 ControlKind::ComboBox};
    ASSERT_EQ(window.controlCount(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(window.controlKind(i), kinds[i]) << i;
    EXPECT_THROW(window.controlKind(10), Failure);

    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    window.useButtonFaceBackground();
    window.useButtonFaceBackground(8);
    EXPECT_EQ(window.palette().color(QPalette::Window), buttonFace);
    EXPECT_EQ(control("Frame1")->palette().color(QPalette::Window), buttonFace);
    EXPECT_TRUE(control("Frame1")->autoFillBackground());
    EXPECT_EQ(control<QPushButton>("PushButton1")->palette().color(QPalette::Button), QColor(Qt::white));
}

TEST_F(MainWindowTest, PlacementInTwips)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_DOUBLE_EQ(window.screenSize().width, screen.width() * 15.0);
    EXPECT_DOUBLE_EQ(window.screenSize().height, screen.height() * 15.0);
    EXPECT_DOUBLE_EQ(window.outerSize().width, window.frameGeometry().width() * 15.0);
    EXPECT_GE(window.outerSize().height, 5520.0);
    window.moveTo(1500, 3007.4);
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(100, 200));
}

TEST_F(MainWindowTest, ProgressBarShowsTheNearestStepOfItsScale)
{
    auto* bar = control<QProgressBar>("ProgressBar1");
    window.progressBar().setValue(100.0 / 3);
    EXPECT_EQ(bar->value(), 33);
    window.progressBar().setValue(99.6);
    EXPECT_EQ(bar->value(), 100);
    window.progressBar().setValue(0);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(MainWindowTest, ApplicationIconAndSkin)
{
    window.setApplicationIcon();
    EXPECT_EQ(window.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
    EXPECT_EQ(QApplication::windowIcon().availableSizes(), window.windowIcon().availableSizes());

    Skin skin;
    skin.window.background = SkinColour{10, 20, 30};
    window.applySkin(skin);
    EXPECT_FALSE(window.styleSheet().isEmpty());
}

// The Qt window through the window system's input path: pointer and keys go to the window as
// the platform delivers them, names are read through the accessibility interface.
class QtWindowDriver : ShownWindow {
public:
    std::vector<std::string>& calls() { return events.calls; }
    PixelPlace placeOf(const char* name)
    {
        const QWidget* control = named(name);
        const QPoint at = control->mapTo(&window, QPoint(0, 0));
        return {at.x(), at.y(), control->width(), control->height()};
    }
    std::string accessibleName(const char* name) { return readName(named(name)); }
    void click(const std::string& accessibleName)
    {
        for (QWidget* control : window.findChildren<QWidget*>()) {
            if (control->isVisible() && readName(control) == accessibleName) {
                QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                                  control->mapTo(&window, control->rect().center()));
                QCoreApplication::processEvents();
                return;
            }
        }
        ADD_FAILURE() << "no control reads as \"" << accessibleName << "\"";
    }
    void pressTab()
    {
        QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    std::string focused() const { return window.focusWidget() ? window.focusWidget()->objectName().toStdString() : ""; }
    void moveTo(const char* name, int x, int y)
    {
        pointerAt_ = name ? named(name)->mapTo(&window, QPoint(x, y)) : QPoint(x, y);
        QTest::mouseMove(window.windowHandle(), pointerAt_);
        QCoreApplication::processEvents();
    }
    void setPointer(PointerKind kind) { window.setPointer(kind); }
    // The shape of the cursor of the widget under the pointer, which Qt shows there.
    std::string shownPointer() const
    {
        const QWidget* under = window.childAt(pointerAt_);
        switch ((under ? under : &window)->cursor().shape()) {
        case Qt::ArrowCursor:
            return "arrow";
        case Qt::WaitCursor:
            return "busy";
        default:
            return "other";
        }
    }

private:
    QWidget* named(const char* name) const { return window.findChild<QWidget*>(QString::fromLatin1(name)); }

    QPoint pointerAt_;
    static std::string readName(QWidget* control)
    {
        QAccessibleInterface* object = QAccessible::queryAccessibleInterface(control);
        return object ? object->text(QAccessible::Name).toStdString() : "";
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WindowContract, QtWindowDriver);

}  // namespace
}  // namespace pv::testing
