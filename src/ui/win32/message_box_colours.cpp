#include "ui/win32/message_box_colours.h"

#include <string_view>

#include <commctrl.h>

namespace pv {

namespace {

// The message box's text has this identifier, in Windows and in Wine alike.
constexpr int kMessageBoxTextId = 0xFFFF;

// The colours of the hook's thread.
thread_local MessageBoxColours* tColours = nullptr;

bool IsDialogWindow(HWND window)
{
    wchar_t name[16]{};
    return GetClassNameW(window, name, 16) && std::wstring_view(name) == L"#32770";
}

}  // namespace

MessageBoxColours::~MessageBoxColours()
{
    unhook();
}

void MessageBoxColours::set(std::optional<COLORREF> background, std::optional<COLORREF> text)
{
    unhook();
    backgroundColour_ = background;
    text_ = text;
    background_ = win32::OwnedBrush(background ? CreateSolidBrush(*background) : nullptr);
    if (!background && !text)
        return;
    tColours = this;
    hook_ = SetWindowsHookExW(WH_CBT, hookProcedure, nullptr, GetCurrentThreadId());
}

void MessageBoxColours::unhook()
{
    if (hook_)
        UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (tColours == this)
        tColours = nullptr;
}

LRESULT CALLBACK MessageBoxColours::hookProcedure(int code, WPARAM w, LPARAM l)
{
    if (code == HCBT_CREATEWND && tColours) {
        auto* dialog = reinterpret_cast<HWND>(w);
        if (IsDialogWindow(dialog))
            SetWindowSubclass(dialog, dialogProcedure, 0, reinterpret_cast<DWORD_PTR>(tColours));
    }
    return CallNextHookEx(nullptr, code, w, l);
}

LRESULT CALLBACK MessageBoxColours::dialogProcedure(HWND dialog, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                                    DWORD_PTR self)
{
    const auto& colours = *reinterpret_cast<MessageBoxColours*>(self);
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        if (!GetDlgItem(dialog, kMessageBoxTextId) || tColours != &colours)
            break;
        const LRESULT system = DefSubclassProc(dialog, message, w, l);
        auto* context = reinterpret_cast<HDC>(w);
        if (colours.text_)
            SetTextColor(context, *colours.text_);
        if (!colours.background_.valid())
            return system;
        SetBkColor(context, *colours.backgroundColour_);
        return reinterpret_cast<LRESULT>(colours.background_.get());
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(dialog, dialogProcedure, 0);
        break;
    default:
        break;
    }
    return DefSubclassProc(dialog, message, w, l);
}

}  // namespace pv
