#include "platform/win32_support/dialog_keys.h"

#include "platform/win32_support/callback_boundary.h"

namespace pv::win32 {

void DispatchWithDialogKeys(MSG& message)
{
    HWND topLevel = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (!topLevel || !IsDialogMessageW(topLevel, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    RaiseKeptException();
}

}  // namespace pv::win32
