#include "platform/win32_support/dialog_keys.h"

namespace pv::win32 {

void DispatchWithDialogKeys(MSG& message)
{
    HWND topLevel = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (topLevel && IsDialogMessageW(topLevel, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace pv::win32
