#pragma once

#include <windows.h>

#include "ui/win32/window_look.h"

namespace pv {

// Frame1, a group box. Where the skin gives the frame a look, the program draws it: a box in
// the frame's colours, border and corners with its caption inside at the top left, as the
// skinned Qt window does; otherwise the system draws it in the window's colours.
class Frame {
public:
    Frame(HWND frame, const WindowLook& look);
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    HWND handle() const { return frame_; }

private:
    static LRESULT CALLBACK subclassProcedure(HWND frame, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self);
    void paint() const;

    HWND frame_;
    const WindowLook& look_;
};

}  // namespace pv
