#include "ui/qt/combo_box_control.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "services/failure.h"

namespace pv {

ComboBoxAdapter::ComboBoxAdapter(QComboBox& box, std::function<void()> selectionChanged)
    : box_(box), selectionChanged_(std::move(selectionChanged))
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
    if (index < 0 || index >= box_.count())
        throw Failure("Invalid argument", failure_code::kInvalidProcedureCall);
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
    if (index < 0 || index >= box_.count())
        throw Failure("Invalid argument", failure_code::kInvalidProcedureCall);
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
    if (index < -1 || index >= box_.count())
        throw Failure("Invalid property value", failure_code::kInvalidProcedureCall);
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
