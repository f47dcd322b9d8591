// The Win32 window used as a person uses it: real pointer moves, presses and keys (SendInput),
// so that capture, focus and activation take part, and drops through the drop target that a
// drag from another program calls.

#include <windows.h>
#include <ole2.h>

#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "drop_files.h"
#include "window_fixture.h"

namespace pv {
namespace {

// The list's drop target, as OLE keeps it for drags from other programs.
IDropTarget* RegisteredDropTarget(HWND list)
{
    return static_cast<IDropTarget*>(GetPropW(list, L"OleDropTargetInterface"));
}

// Drops a file list of `paths` on `list` as a drag from the file manager does; the effect the
// drop was answered with.
DWORD DropOn(HWND list, const std::vector<std::wstring>& paths)
{
    IDropTarget* target = RegisteredDropTarget(list);
    IDataObject* data = OfferedData(CF_HDROP, DropFilesOf(paths));
    if (!target || !data)
        return DROPEFFECT_NONE;
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(data, MK_LBUTTON, {0, 0}, &effect);
    effect = DROPEFFECT_COPY;
    target->Drop(data, 0, {0, 0}, &effect);
    data->Release();
    return effect;
}

// Windows calls the window back from its own frames, which no exception may cross: one thrown
// by an event procedure leaves the system's call with the answer the system gives, comes out of
// the program's message loop at its next turn, and the window goes on working.
TEST_F(Win32MainWindowTest, AnExceptionInACallbackComesOutOfTheMessageLoop)
{
    struct Way {
        const char* call;
        std::function<void()> act;
    };
    const Way ways[] = {
        // The main window's procedure, called from the button's own.
        {"PushButton4_Click", [&] { clickAt(child("PushButton4"), centre(child("PushButton4"))); }},
        // A control's subclass procedure.
        {"PushButton_MouseMove 3",
         [&] {
             moveTo(child("PushButton3"), {3, 3});
         }},
        // A message the program sends itself returns.
        {"PushButton1_Click",
         [&] {
             EXPECT_EQ(SendMessageW(child("PushButton1"), BM_CLICK, 0, 0), 0);
             PostMessageW(window.handle(), WM_NULL, 0, 0);
             pump();
         }},
        // A drop target's method refuses the drag.
        {"DragOver files",
         [&] {
             IDataObject* data = OfferedData(CF_HDROP, DropFilesOf({L"C:\\a.pdf"}));
             ASSERT_NE(data, nullptr);
             DWORD effect = DROPEFFECT_COPY;
             EXPECT_EQ(RegisteredDropTarget(list())->DragEnter(data, MK_LBUTTON, {0, 0}, &effect), E_UNEXPECTED);
             EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
             data->Release();
             PostMessageW(window.handle(), WM_NULL, 0, 0);
             pump();
         }},
    };
    for (const Way& way : ways) {
        events.failingCall = way.call;
        EXPECT_THROW(way.act(), Failure) << way.call;
        events.failingCall.clear();
        PostMessageW(window.handle(), WM_NULL, 0, 0);
        EXPECT_NO_THROW(pump()) << way.call;
    }
    events.calls.clear();
    clickAt(child("PushButton4"), centre(child("PushButton4")));
    EXPECT_EQ(events.callsStartingWith("PushButton4"), Calls{"PushButton4_Click"});
}

// Event procedures that show the drag pointer while a row is held and the arrow after it, as
// the list editing does.
class DraggingEvents final : public testing::RecordingEvents {
public:
    explicit DraggingEvents(ListViewControl& list) : list_(list) {}
    void ListView1_ItemClick(int row) override
    {
        RecordingEvents::ListView1_ItemClick(row);
        list_.showDragPointer(PRESSVALE_ASSETS "\\drag.ico");
    }
    void ListView1_MouseUp(int button, int shift, int x, int y) override
    {
        RecordingEvents::ListView1_MouseUp(button, shift, x, y);
        list_.showArrowPointer();
    }

private:
    ListViewControl& list_;
};

// Event procedures whose Help click opens a message box owned by the window.
class HelpBoxEvents final : public testing::RecordingEvents {
public:
    explicit HelpBoxEvents(HWND owner) : owner_(owner) {}
    void PushButton6_Click() override
    {
        RecordingEvents::PushButton6_Click();
        MessageBoxW(owner_, L"Help text", L"Pressvale", MB_OK);
    }

private:
    HWND owner_;
};

TEST_F(Win32MainWindowTest, ARealDragOfRowsShowsTheDragPointerUntilTheButtonIsReleased)
{
    DraggingEvents dragging(window.listView());
    window.setEvents(&dragging);
    addRows({"C:\\a.pdf", "C:\\b.pdf", "C:\\c.pdf"});
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR hourglass = LoadCursorW(nullptr, IDC_WAIT);
    // The second drag starts on another row, so that its press is no double click.
    const struct {
        PointerKind resting;
        int row;
    } drags[] = {{PointerKind::Default, 1}, {PointerKind::Busy, 2}};
    for (const auto& [resting, row] : drags) {
        window.setPointer(resting);
        moveTo(list(), rowCentre(row));
        button(true);
        const HCURSOR pressed = shownPointer();
        moveTo(list(), rowCentre(3));
        const HCURSOR moved = shownPointer();
        button(false);
        const HCURSOR after = shownPointer();
        for (const HCURSOR during : {pressed, moved}) {
            EXPECT_NE(during, arrow);
            EXPECT_NE(during, hourglass);
        }
        EXPECT_EQ(after, resting == PointerKind::Busy ? hourglass : arrow);
    }
    window.setEvents(&events);
}

TEST_F(Win32MainWindowTest, ARowDragEndsAsAtAReleaseWhenAnotherWindowTakesThePointer)
{
    moveTo(list(), centre(list()));
    button(true);
    SetCapture(window.handle());
    button(false);
    EXPECT_EQ(events.callsStartingWith("MouseUp").size(), 1u);
}

TEST_F(Win32MainWindowTest, EnterClicksTheFocusedButtonWhetherAClickOrTabFocusedIt)
{
    clickAt(child("PushButton4"), centre(child("PushButton4")));
    for (const WORD stroke : {VK_RETURN, VK_SPACE, VK_TAB, VK_RETURN})
        key(stroke);
    EXPECT_EQ(events.callsStartingWith("PushButton4_"), Calls(3, "PushButton4_Click"));
    EXPECT_EQ(events.callsStartingWith("PushButton5_"), Calls{"PushButton5_Click"});
    EXPECT_EQ(GetWindowLongW(child("PushButton5"), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

// A Help click that ends the program's message loop and then fails.
struct QuittingEvents final : testing::RecordingEvents {
    void PushButton6_Click() override
    {
        PostQuitMessage(0);
        RecordingEvents::PushButton6_Click();
    }
};

TEST_F(Win32MainWindowTest, TheProgramsLoopPassesOverAFailureWhileNoProcedureRuns)
{
    QuittingEvents quitting;
    quitting.failingCall = "PushButton6_Click";
    window.setEvents(&quitting);
    std::thread person([this] { clickAt(child("PushButton6"), centre(child("PushButton6"))); });
    EXPECT_NO_THROW(window.run());
    person.join();
    EXPECT_EQ(quitting.callsStartingWith("PushButton6_"), Calls{"PushButton6_Click"});
    window.setEvents(&events);
}

TEST_F(Win32MainWindowTest, AfterABoxTheFocusComesBackAndTheNextDropAndClickAreTaken)
{
    EXPECT_EQ(GetFocus(), list());
    HelpBoxEvents help(window.handle());
    window.setEvents(&help);
    // The box is answered with Return as soon as it shows.
    const DWORD thread = GetCurrentThreadId();
    std::thread answer([thread] {
        waitForBox(thread);
        key(VK_RETURN);
    });
    clickAt(child("PushButton6"), centre(child("PushButton6")));
    answer.join();
    EXPECT_FALSE(shownBox(thread));
    EXPECT_EQ(help.callsStartingWith("PushButton6_"), Calls{"PushButton6_Click"});
    EXPECT_EQ(GetFocus(), child("PushButton6"));

    EXPECT_EQ(DropOn(list(), {L"C:\\a.pdf"}), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(pumpUntil([&] { return help.drops.size() == 1; }));

    // Without a window manager the first click only activates the window.
    clickAt(window.handle(), {3, 3});
    clickAt(child("PushButton4"), centre(child("PushButton4")));
    EXPECT_EQ(help.callsStartingWith("PushButton4"), Calls{"PushButton4_Click"});
    window.setEvents(&events);
}

TEST_F(Win32MainWindowTest, ADropAnswersAtOnceAndItsNamesArriveRightAfter)
{
    EXPECT_EQ(DropOn(list(), {L"C:\\Folder", L"C:\\b.pdf"}), static_cast<DWORD>(DROPEFFECT_COPY));
    // The drop procedure (a folder walk, maybe) has not run inside the drop call.
    EXPECT_TRUE(events.drops.empty());
    EXPECT_TRUE(pumpUntil([&] { return !events.drops.empty(); }));
    EXPECT_EQ(events.drops[0], (std::vector<std::string>{"C:\\Folder", "C:\\b.pdf"}));
}

}  // namespace
}  // namespace pv
