#include "ui/win32/combo_box.h"

#include "platform/failure.h"
#include "platform/win32/wide_text.h"

namespace pv {

ComboBox::ComboBox(HWND box, std::function<void()> selectionChanged)
    : box_(box), selectionChanged_(std::move(selectionChanged))
{
}

void ComboBox::selectionChosen()
{
    if (selectionChanged_)
        selectionChanged_();
}

int ComboBox::count() const
{
    return static_cast<int>(send(CB_GETCOUNT));
}

std::string ComboBox::item(int index) const
{
    if (index < 0 || index >= count())
        throw Failure("Invalid argument", failure_code::kInvalidProcedureCall);
    std::wstring text(static_cast<std::size_t>(send(CB_GETLBTEXTLEN, index)) + 1, L'\0');
    const auto length = send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return win32::Utf8(text);
}

void ComboBox::addItem(const std::string& text)
{
    // Adding never notifies and keeps the selection.
    send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(text).c_str()));
}

void ComboBox::removeItem(int index)
{
    if (index < 0 || index >= count())
        throw Failure("Invalid argument", failure_code::kInvalidProcedureCall);
    const bool removesSelected = index == currentIndex();
    send(CB_DELETESTRING, index);
    if (removesSelected)
        send(CB_SETCURSEL, static_cast<WPARAM>(-1));
}

int ComboBox::currentIndex() const
{
    return static_cast<int>(send(CB_GETCURSEL));
}

void ComboBox::setCurrentIndex(int index)
{
    if (index < -1 || index >= count())
        throw Failure("Invalid property value", failure_code::kInvalidProcedureCall);
    // CB_SETCURSEL itself notifies nobody.
    send(CB_SETCURSEL, static_cast<WPARAM>(index));
    selectionChosen();
}

std::string ComboBox::text() const
{
    const int index = currentIndex();
    return index < 0 ? std::string() : item(index);
}

}  // namespace pv
