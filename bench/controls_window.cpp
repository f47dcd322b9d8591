// A reference for the start-up benchmark: a hand-written Qt window with the main window's
// controls, plain Qt widgets at the places the layout gives them, its printer box filled by
// one question to the print system (the destinations and the default), then shown.
#include <cups/cups.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>
#include <QWidget>

#include "ui/layout/main_window_layout.h"
#include "ui/layout/twips.h"

namespace {

QWidget* MakeControl(const pv::layout::Control& control, QWidget* parent)
{
    switch (control.kind) {
    case pv::ControlKind::ListView:
        return new QTreeView(parent);
    case pv::ControlKind::PushButton:
        return new QPushButton(QString::fromLatin1(control.caption), parent);
    case pv::ControlKind::ProgressBar:
        return new QProgressBar(parent);
    case pv::ControlKind::Frame:
        return new QGroupBox(QString::fromLatin1(control.caption), parent);
    case pv::ControlKind::ComboBox:
        return new QComboBox(parent);
    default:
        return new QWidget(parent);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("Controls");
    window.setFixedSize(pv::TwipsToPixels(pv::layout::kClientWidth), pv::TwipsToPixels(pv::layout::kClientHeight));
    QComboBox* printers = nullptr;
    for (const pv::layout::Control& control : pv::layout::MainWindowControls()) {
        QWidget* parent = control.parent ? window.findChild<QWidget*>(QString::fromLatin1(control.parent)) : &window;
        QWidget* widget = MakeControl(control, parent);
        widget->setObjectName(QString::fromLatin1(control.name));
        widget->setGeometry(pv::TwipsToPixels(control.place.left), pv::TwipsToPixels(control.place.top),
                            pv::TwipsToPixels(control.place.width), pv::TwipsToPixels(control.place.height));
        if (control.kind == pv::ControlKind::ComboBox)
            printers = static_cast<QComboBox*>(widget);
    }

    cups_dest_t* destinations = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &destinations);
    for (int i = 0; i < count; ++i) {
        printers->addItem(QString::fromUtf8(destinations[i].name));
        if (destinations[i].is_default)
            printers->setCurrentIndex(i);
    }
    cupsFreeDests(count, destinations);

    window.show();
    return QApplication::exec();
}
