#pragma once

// The Win32 window on the test's thread, with recording event procedures and a file list, and
// what the tests do to it as a person would: real pointer moves, presses and keys (SendInput),
// and reads of what it shows (pixels, the focus, the pointer).

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "file_list/file_list.h"
#include "platform/win32/win32_event_pump.h"
#include "platform/win32_support/dialog_keys.h"
#include "support/recording_events.h"
#include "ui/layout/main_window_layout.h"
#include "ui/win32/control_window.h"
#include "ui/win32/main_window.h"

namespace pv {

using Calls = std::vector<std::string>;

// OLE on the test's thread for as long as the window lives, as the program has it.
struct OleSession {
    OleSession() { OleInitialize(nullptr); }
    ~OleSession() { OleUninitialize(); }
};

// The main window shown over a file list of its own, its event procedures written down, with
// the means to use it as a person does.
struct ShownMainWindow {
    ShownMainWindow()
    {
        window.setEvents(&events);
        window.attachFileList(&files);
        window.listView().addColumn("PDF Files");
        // The pointer rests away from the window, so that only the moves a test makes arrive.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        window.show();
        pump();
        events.calls.clear();
    }
    ~ShownMainWindow() { window.attachFileList(nullptr); }

    // Handles every message waiting, as the program's loop does.
    static void pump()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            win32::DispatchWithDialogKeys(message);
    }

    // Handles messages until `done` holds, for at most five seconds; whether it held.
    static bool pumpUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            pump();
        }
        return true;
    }

    // The control of the table named `name`.
    HWND child(const char* name) const
    {
        const auto controls = layout::MainWindowControls();
        return GetDlgItem(window.handle(), ControlId(static_cast<int>(&layout::ControlNamed(name) - controls.data())));
    }
    HWND list() const { return child("ListView1"); }
    HWND combo() const { return child("Combo1"); }

    // The centre of 1-based `row` in the list's own coordinates.
    POINT rowCentre(int row) const
    {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(list(), LVM_GETITEMRECT, static_cast<WPARAM>(row - 1), reinterpret_cast<LPARAM>(&bounds));
        return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    }

    void addRows(std::initializer_list<const char*> paths)
    {
        for (const char* path : paths)
            files.append(path);
        pump();
    }

    // The colour shown at `at` in `control`'s client coordinates, once everything is drawn.
    static COLORREF pixel(HWND control, POINT at)
    {
        RedrawWindow(GetAncestor(control, GA_ROOT), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pump();
        HDC context = GetDC(control);
        const COLORREF colour = GetPixel(context, at.x, at.y);
        ReleaseDC(control, context);
        return colour;
    }

    // Real input, as the mouse and keyboard give it: the pointer to `at` in `control`'s client
    // coordinates, a press or release of the left button, a key stroke.
    static void moveTo(HWND control, POINT at)
    {
        ClientToScreen(control, &at);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        input.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
        pump();
    }
    static void button(bool down)
    {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        SendInput(1, &input, sizeof input);
        pump();
    }
    static void clickAt(HWND control, POINT at)
    {
        moveTo(control, at);
        button(true);
        button(false);
    }
    static POINT centre(HWND control)
    {
        RECT client{};
        GetClientRect(control, &client);
        return {client.right / 2, client.bottom / 2};
    }
    static void key(WORD code)
    {
        INPUT strokes[2]{};
        for (INPUT& stroke : strokes) {
            stroke.type = INPUT_KEYBOARD;
            stroke.ki.wVk = code;
        }
        strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, strokes, sizeof strokes[0]);
        pump();
    }
    // The pointer shown now, whichever window chose it.
    static HCURSOR shownPointer()
    {
        CURSORINFO info{};
        info.cbSize = sizeof info;
        GetCursorInfo(&info);
        return info.hCursor;
    }

    // A visible dialog window (a message box) of thread `thread`, or null.
    static HWND shownBox(DWORD thread)
    {
        HWND found = nullptr;
        EnumThreadWindows(
            thread,
            [](HWND window, LPARAM result) -> BOOL {
                wchar_t name[16]{};
                GetClassNameW(window, name, 16);
                if (std::wstring(name) != L"#32770" || !IsWindowVisible(window))
                    return TRUE;
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }
    // Waits, from another thread, for thread `thread` to show a box; the box, or null after
    // five seconds.
    static HWND waitForBox(DWORD thread)
    {
        HWND box = nullptr;
        for (int tries = 0; tries < 250 && !(box = shownBox(thread)); ++tries)
            Sleep(20);
        return box;
    }

    OleSession ole;
    testing::RecordingEvents events;
    FileList files;
    MainWindow window;
};

class Win32MainWindowTest : public ::testing::Test, protected ShownMainWindow {};

}  // namespace pv
