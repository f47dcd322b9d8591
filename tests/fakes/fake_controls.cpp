#include "fakes/fake_controls.h"

namespace pv::testing {

FakeWindowSurface::FakeWindowSurface()
    : controlKinds{ControlKind::ListView,   ControlKind::PushButton, ControlKind::PushButton,  ControlKind::PushButton,
                   ControlKind::PushButton, ControlKind::PushButton, ControlKind::ProgressBar, ControlKind::PushButton,
                   ControlKind::Frame,      ControlKind::ComboBox,   ControlKind::Component}
{}

void FakeWindowSurface::setPointer(PointerKind kind)
{
    if (onSetPointer)
        onSetPointer(kind);
    pointerKind = kind;
    pointerChanges.push_back(kind);
}

void FakeWindowSurface::loadCustomPointer(const std::string& cursorFile)
{
    if (!loadableCursors.count(cursorFile))
        ThrowInvalidPicture();
    customPointer = cursorFile;
}

void FakeWindowSurface::moveTo(double leftTwips, double topTwips)
{
    position = std::make_pair(leftTwips, topTwips);
}

void FakeWindowSurface::applySkin(const Skin& skin)
{
    appliedSkin = skin;
    ++skinApplications;
}

void FakeListView::setColumnWidth(int column, double twips)
{
    if (column >= static_cast<int>(columnWidths.size()))
        columnWidths.resize(column + 1);
    columnWidths[column] = twips;
}

int FakeListView::rowAt(int /*x*/, int y) const
{
    const int row = y / kRowHeight + 1;
    return y >= 0 && files_ && row <= files_->count() ? row : 0;
}

void FakeListView::showDragPointer(const std::string& iconFile)
{
    if (!loadableIcons.count(iconFile))
        ThrowInvalidPicture();
    dragPointer = iconFile;
}

void FakeComboBox::removeItem(int value)
{
    CheckBoxItem(value, count());
    items.erase(items.begin() + value);
    if (value == index)
        index = -1;
    else if (value < index)
        --index;
}

void FakeComboBox::setCurrentIndex(int value)
{
    CheckBoxSelection(value, count());
    index = value;
    if (onChange)
        onChange();
}

}  // namespace pv::testing
