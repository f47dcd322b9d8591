#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/win32/window_look.h"

namespace pv {

// One standard control of the window that the program subclasses to draw it in the window's
// look, to take its messages and to give it its accessible name. It holds the control's window
// from the moment it is made until the window is destroyed: on WM_NCDESTROY, whoever destroys
// the window (its parent's DestroyWindow at a close, or the owner going first), the subclass is
// removed and the window forgotten, so nothing here reaches a destroyed window afterwards;
// `handle()` is null then.
//
// The control's window procedure is replaced directly, the owner kept in its GWLP_USERDATA,
// rather than through the common controls' subclass chain, which looks its subclasses up in a
// window property at every message, at each of its links.
//
// The window hands each control the notifications it receives about it (`notified`), so that
// every control answers its own.
//
// Messages reach `onMessage` from the moment the base is made. A derived control therefore
// makes the members its `onMessage` reads before it sends its window a message.
class SubclassedControl {
public:
    SubclassedControl(HWND control, const WindowLook& look);
    virtual ~SubclassedControl();
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;

    // The name a screen reader is given for the control's client object (AnswerAccessibleName).
    void setAccessibleName(const std::string& name);
    // The control's window; null once it is destroyed.
    HWND handle() const { return control_; }
    const WindowLook& look() const { return look_; }
    // A notification the window received about the control (WM_COMMAND, WM_NOTIFY,
    // WM_DRAWITEM, WM_CTLCOLORSTATIC, WM_CTLCOLORBTN): the answer, or nothing for the window's
    // own. By default, nothing.
    virtual std::optional<LRESULT> notified(UINT message, WPARAM w, LPARAM l);
    // Sends or posts a message to the control; nothing once its window is gone.
    LRESULT send(UINT message, WPARAM w = 0, LPARAM l = 0) const;
    bool post(UINT message, WPARAM w = 0, LPARAM l = 0) const;

protected:
    // One message to the control, at the callback boundary: a failure lets the control's own
    // procedure answer it. By default, that procedure answers every message.
    virtual LRESULT onMessage(UINT message, WPARAM w, LPARAM l);
    // Hands a message to the control's own procedure (from inside `onMessage`).
    LRESULT passOn(UINT message, WPARAM w, LPARAM l) const;

private:
    static LRESULT CALLBACK subclassProcedure(HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT dispatch(UINT message, WPARAM w, LPARAM l);

    HWND control_;
    const WindowLook& look_;
    // The control's own procedure, which the subclass replaced.
    WNDPROC own_ = nullptr;
    std::optional<std::wstring> accessibleName_;
};

}  // namespace pv
