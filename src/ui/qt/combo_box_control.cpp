#include "ui/qt/combo_box_control.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "window_contract/control_failures.h"

namespace pv {

ComboBoxAdapter::ComboBoxAdapter(QComboBox& box, std::function<void()> selectionChanged)
    : box_(box),
      selectionChanged_(std::move(selectionChanged))
{
    QObject::connect(&box_, &QComboBox::currentIndexChanged, &box_, [this](int) {
        if (selectionChanged_)
            selectionChanged_();
    });
}

int ComboBoxAdapter::count() const
{
    return box_.count();
}

std::string ComboBoxAdapter::item(int index) const
{
    CheckBoxItem(index, box_.count());
    return box_.itemText(index).toStdString();
}

void ComboBoxAdapter::addItem(const std::string& text)
{
    const QSignalBlocker quiet(box_);
    const int before = box_.currentIndex();
    box_.addItem(QString::fromStdString(text));
    box_.setCurrentIndex(before);
}

void ComboBoxAdapter::removeItem(int index)
{
    CheckBoxItem(index, box_.count());
    const QSignalBlocker quiet(box_);
    const bool removesSelected = index == box_.currentIndex();
    box_.removeItem(index);
    if (removesSelected)
        box_.setCurrentIndex(-1);
}

int ComboBoxAdapter::currentIndex() const
{
    return box_.currentIndex();
}

void ComboBoxAdapter::setCurrentIndex(int index)
{
    CheckBoxSelection(index, box_.count());
    {
        const QSignalBlocker quiet(box_);
        box_.setCurrentIndex(index);
    }
    if (selectionChanged_)
        selectionChanged_();
}

std::string ComboBoxAdapter::text() const
{
    return box_.currentIndex() < 0 ? std::string() : box_.currentText().toStdString();
}

}  // namespace pv
