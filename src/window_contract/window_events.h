#pragma once

#include <exception>
#include <string>
#include <vector>

namespace pv {

// Key codes, shift bits and mouse buttons, by their Windows values.
inline constexpr int kKeyDelete = 46;
namespace shift_bits {
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;
}  // namespace shift_bits
namespace mouse_button {
inline constexpr int kLeft = 1;
inline constexpr int kRight = 2;
inline constexpr int kMiddle = 4;
}  // namespace mouse_button

// The main window's event procedures: what the front end calls when the user acts. Each runs
// to its end on the user-interface thread; some let the window process events meanwhile, so
// another may run inside it.
class MainWindowEvents {
public:
    virtual ~MainWindowEvents() = default;

    // Once, before the window is first shown.
    virtual void Form_Load() = 0;
    // The window is closing; the program's event loop ends when this returns, and procedures
    // waiting in it unwind.
    virtual void Form_Unload() = 0;
    // The process ends before the procedures in progress can unwind (the session's end on
    // Windows, a display connection lost under Qt): what they would put back on their way out
    // is put back now.
    virtual void ProgramEndsNow() = 0;

    // The pointer moved over the window background, the frame, or push button 1..6.
    virtual void Form_MouseMove() = 0;
    virtual void Frame1_MouseMove() = 0;
    virtual void PushButton_MouseMove(int button) = 0;

    virtual void PushButton1_Click() = 0;  // "Add PDF File(s)"
    virtual void PushButton2_Click() = 0;  // "Start Printing"
    virtual void PushButton3_Click() = 0;  // "Add All PDF File(s) In Folder"
    virtual void PushButton4_Click() = 0;  // "Clear List"
    virtual void PushButton5_Click() = 0;  // "Load Sample/Example Files"
    virtual void PushButton6_Click() = 0;  // "Help"

    // The printer box's selection changed.
    virtual void Combo1_Click() = 0;

    // The file list. x and y are in the list's own coordinates, as its rowAt takes them.
    virtual void ListView1_KeyDown(int keyCode, int shift) = 0;
    virtual void ListView1_DblClick() = 0;
    virtual void ListView1_ItemClick(int row) = 0;
    virtual void ListView1_MouseDown(int button, int shift, int x, int y) = 0;
    virtual void ListView1_MouseMove(int button, int shift, int x, int y) = 0;
    virtual void ListView1_MouseUp(int button, int shift, int x, int y) = 0;

    // A drag hovers over the list: returns whether a drop is accepted, which is when the drag
    // data offers a list of files.
    virtual bool ListView1_OLEDragOver(bool offersFileList) = 0;
    // Files and folders dropped on the list, full paths in the drag data's order.
    virtual void ListView1_OLEDragDrop(const std::vector<std::string>& paths) = 0;
};

// Calls the click procedure of push button `number`, 1 to 6, as both windows do when a button
// is clicked; another number calls nothing.
inline void ClickPushButton(MainWindowEvents& events, int number)
{
    switch (number) {
    case 1:
        events.PushButton1_Click();
        break;
    case 2:
        events.PushButton2_Click();
        break;
    case 3:
        events.PushButton3_Click();
        break;
    case 4:
        events.PushButton4_Click();
        break;
    case 5:
        events.PushButton5_Click();
        break;
    case 6:
        events.PushButton6_Click();
        break;
    default:
        break;
    }
}

// Runs `procedure` and passes over a failure in it: a failure must never end the program.
// Form1 runs through it the event procedures that have no error trap of their own; each window
// its event loop's turns, where no procedure runs that could take a failure coming out of one.
template <class Procedure>
void PassOverFailures(Procedure&& procedure)
{
    try {
        procedure();
    } catch (const std::exception&) {
    }
}

}  // namespace pv
