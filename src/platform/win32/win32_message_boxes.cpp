#include "platform/win32/win32_message_boxes.h"

#include "platform/win32_support/wide_text.h"

namespace pv {
namespace {

UINT Style(BoxButtons buttons, BoxIcon icon)
{
    UINT style = buttons == BoxButtons::YesNo ? MB_YESNO : MB_OK;
    if (icon == BoxIcon::Exclamation)
        style |= MB_ICONEXCLAMATION;
    else if (icon == BoxIcon::Critical)
        style |= MB_ICONERROR;
    return style;
}

}  // namespace

BoxAnswer Win32MessageBoxes::show(const std::string& text, const std::string& title, BoxButtons buttons, BoxIcon icon)
{
    const int answer = MessageBoxW(owner_, win32::Wide(text).c_str(), win32::Wide(title).c_str(), Style(buttons, icon));
    if (buttons == BoxButtons::Ok)
        return BoxAnswer::Ok;
    return answer == IDYES ? BoxAnswer::Yes : BoxAnswer::No;
}

}  // namespace pv
