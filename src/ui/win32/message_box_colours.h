#pragma once

#include <optional>

#include <windows.h>

#include "platform/win32_support/owned.h"

namespace pv {

// Colours the program's message boxes in the skin's window colours. They stay the system's
// own boxes, so that screen readers read them as ever: while colours are set, a hook on this
// thread sees each dialog window made and, when it is a message box, answers its colour
// requests (its surface, its text, the ground around its buttons).
class MessageBoxColours {
public:
    MessageBoxColours() = default;
    ~MessageBoxColours();
    MessageBoxColours(const MessageBoxColours&) = delete;
    MessageBoxColours& operator=(const MessageBoxColours&) = delete;

    // Nothing set for both: the boxes keep the system's colours.
    void set(std::optional<COLORREF> background, std::optional<COLORREF> text);

private:
    static LRESULT CALLBACK hookProcedure(int code, WPARAM w, LPARAM l);
    static LRESULT CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self);
    void unhook();

    HHOOK hook_ = nullptr;
    win32::OwnedBrush background_;
    std::optional<COLORREF> backgroundColour_;
    std::optional<COLORREF> text_;
};

}  // namespace pv
