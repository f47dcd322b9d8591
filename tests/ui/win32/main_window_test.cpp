// The Win32 window's controls driven through their own messages, as Windows delivers what a
// person does, reach the window's event procedures as they should.

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>
#include <shlobj.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "drop_files.h"
#include "failure/failure.h"
#include "file_list/file_list.h"
#include "platform/win32/win32_event_pump.h"
#include "platform/win32_support/wide_text.h"
#include "support/contract/window_contract.h"
#include "support/recording_events.h"
#include "ui/win32/main_window.h"
#include "window_contract/skin.h"
#include "window_fixture.h"

namespace pv::testing {
namespace {

LPARAM At(POINT point)
{
    return MAKELPARAM(point.x, point.y);
}

// The standard control class each kind is made of.
std::wstring ClassOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::ListView:
        return L"SysListView32";
    case ControlKind::ProgressBar:
        return L"msctls_progress32";
    case ControlKind::ComboBox:
        return L"ComboBox";
    default:
        return L"Button";  // the push buttons and the frame
    }
}

TEST_F(Win32MainWindowTest, HasAFixedSingleBorderAndAClientAreaOf536By368)
{
    RECT client{};
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, 536);
    EXPECT_EQ(client.bottom, 368);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window.handle(), GWL_STYLE));
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
}

TEST_F(Win32MainWindowTest, MakesStandardControlsInTabOrder)
{
    const auto controls = layout::MainWindowControls();
    std::vector<std::wstring> expected;
    for (const layout::Control& control : controls)
        expected.push_back(ClassOf(control.kind));
    ASSERT_EQ(window.controlCount(), static_cast<int>(controls.size()));
    std::vector<std::wstring> classes;
    for (HWND each = GetWindow(list(), GW_HWNDFIRST); each; each = GetWindow(each, GW_HWNDNEXT)) {
        wchar_t name[64]{};
        GetClassNameW(each, name, 64);
        if (GetParent(each) == window.handle())
            classes.emplace_back(name);
    }
    EXPECT_EQ(classes, expected);
    for (std::size_t index = 0; index < controls.size(); ++index)
        EXPECT_EQ(window.controlKind(static_cast<int>(index)), controls[index].kind);
    EXPECT_THROW(window.controlKind(static_cast<int>(controls.size())), Failure);
    wchar_t caption[64]{};
    for (const layout::Control& control : controls) {
        if (*control.caption) {
            GetWindowTextW(child(control.name), caption, 64);
            EXPECT_EQ(win32::Utf8(caption), control.caption) << control.name;
        }
    }
    // Screen readers name the list by its window text.
    GetWindowTextW(list(), caption, 64);
    EXPECT_STREQ(caption, L"PDF Files");
}

// Tab and Shift+Tab move between the controls in the program's loop and in the loop a print
// run turns while it waits, alike.
TEST_F(Win32MainWindowTest, TabMovesTheFocusInEveryMessageLoop)
{
    SetFocus(list());
    PostMessageW(list(), WM_KEYDOWN, VK_TAB, 0);
    Win32EventPump().processEvents();
    EXPECT_EQ(GetFocus(), child("PushButton1"));

    PostMessageW(child("PushButton1"), WM_KEYDOWN, VK_TAB, 0);
    PostQuitMessage(0);
    EXPECT_EQ(window.run(), 0);
    EXPECT_EQ(GetFocus(), child("PushButton3"));
}

TEST_F(Win32MainWindowTest, ThePrinterBoxsSelectionByKeyAndByTheProgramReachesCombo1Click)
{
    ComboBoxControl& box = window.comboBox();
    box.addItem("alpha");
    box.addItem("beta");
    box.addItem("gamma");
    EXPECT_TRUE(events.calls.empty());
    EXPECT_EQ(box.currentIndex(), -1);

    box.setCurrentIndex(0);
    EXPECT_EQ(events.calls, Calls{"Combo1_Click"});
    SendMessageW(combo(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(events.calls, (Calls{"Combo1_Click", "Combo1_Click"}));
    EXPECT_EQ(box.text(), "beta");

    box.removeItem(1);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.text(), "");
    EXPECT_EQ(box.item(1), "gamma");
    EXPECT_THROW(box.setCurrentIndex(2), Failure);
    EXPECT_THROW(box.item(-1), Failure);
}

TEST_F(Win32MainWindowTest, TheListShowsTheFileListsRows)
{
    addRows({"C:\\a.pdf", "C:\\caf\xc3\xa9.pdf", "C:\\c.pdf"});
    EXPECT_EQ(SendMessageW(list(), LVM_GETITEMCOUNT, 0, 0), 3);
    wchar_t text[64]{};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(list(), LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"C:\\caf\u00e9.pdf");

    files.remove(1);
    EXPECT_EQ(SendMessageW(list(), LVM_GETITEMCOUNT, 0, 0), 2);
    files.clear();
    EXPECT_EQ(SendMessageW(list(), LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(Win32MainWindowTest, SelectionFollowsItsRowWhenAnEarlierRowGoesAndEndsWithItsRow)
{
    addRows({"C:\\a.pdf", "C:\\b.pdf", "C:\\c.pdf"});
    ListViewControl& view = window.listView();
    view.selectRow(3);
    files.remove(1);
    EXPECT_EQ(view.selectedRow(), 2);
    files.remove(2);
    EXPECT_EQ(view.selectedRow(), 0);
    EXPECT_THROW(view.selectRow(2), Failure);
    EXPECT_THROW(view.setColumnWidth(1, 100), Failure);
}

TEST_F(Win32MainWindowTest, KeysReachKeyDownWithTheirWindowsCodes)
{
    addRows({"C:\\a.pdf"});
    SendMessageW(list(), WM_KEYDOWN, VK_DELETE, 0);
    SendMessageW(list(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(events.calls, (Calls{"KeyDown 46 0", "KeyDown 65 0"}));
}

TEST_F(Win32MainWindowTest, PressingMovingAndReleasingOnARowDragsIt)
{
    addRows({"C:\\a.pdf", "C:\\b.pdf", "C:\\c.pdf"});
    const POINT second = rowCentre(2);
    const POINT third = rowCentre(3);
    SendMessageW(list(), WM_LBUTTONDOWN, MK_LBUTTON, At(second));
    SendMessageW(list(), WM_MOUSEMOVE, MK_LBUTTON, At(third));
    SendMessageW(list(), WM_LBUTTONUP, 0, At(third));
    const auto xy = [](POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); };
    EXPECT_EQ(events.calls, (Calls{"MouseDown 1 0 " + xy(second), "ItemClick 2", "MouseMove 1 0 " + xy(third),
                                   "MouseUp 1 0 " + xy(third)}));
    EXPECT_EQ(window.listView().selectedRow(), 2);
    EXPECT_EQ(window.listView().rowAt(third.x, third.y), 3);
}

TEST_F(Win32MainWindowTest, APointRightOfANarrowColumnStillHitsItsRow)
{
    addRows({"C:\\a.pdf", "C:\\b.pdf"});
    window.listView().setColumnWidth(0, 600);
    const POINT second = rowCentre(2);
    EXPECT_EQ(window.listView().rowAt(500, second.y), 2);
    EXPECT_EQ(window.listView().rowAt(5, 1), 0);  // the header
    EXPECT_EQ(window.listView().rowAt(-1, second.y), 0);
}

TEST_F(Win32MainWindowTest, DoubleClickReachesDblClick)
{
    addRows({"C:\\a.pdf"});
    const POINT first = rowCentre(1);
    SendMessageW(list(), WM_LBUTTONDOWN, MK_LBUTTON, At(first));
    SendMessageW(list(), WM_LBUTTONUP, 0, At(first));
    SendMessageW(list(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(first));
    EXPECT_EQ(events.callsStartingWith("DblClick"), Calls{"DblClick"});
}

TEST_F(Win32MainWindowTest, ADropOfFilesAndAFolderReachesTheDropProcedureInOrder)
{
    SendMessageW(list(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropFilesOf({L"C:\\b.pdf", L"C:\\Folder", L"C:\\\u00e9.pdf"})), 0);
    EXPECT_EQ(events.calls, (Calls{"DragOver files", "DragDrop"}));
    ASSERT_EQ(events.drops.size(), 1u);
    EXPECT_EQ(events.drops[0], (std::vector<std::string>{"C:\\b.pdf", "C:\\Folder", "C:\\\xc3\xa9.pdf"}));
}

TEST_F(Win32MainWindowTest, ADropTheProgramRefusesIsNotDelivered)
{
    events.acceptDrags = false;
    SendMessageW(list(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropFilesOf({L"C:\\b.pdf"})), 0);
    EXPECT_EQ(events.calls, Calls{"DragOver files"});
}

// In the order Windows sends them: the session's end is agreed to, puts back at once what
// the program changed (Windows ends the process when WM_ENDSESSION returns) and is nothing when
// called off; closing runs Form_Unload, destroys the window and ends the message loop.
TEST_F(Win32MainWindowTest, TheSessionsEndPutsBackAtOnceAndClosingEndsTheMessageLoop)
{
    struct Step {
        UINT message;
        WPARAM w;
        LRESULT result;
        Calls calls;
        bool windowLives;
    };
    const Step steps[] = {
        {WM_QUERYENDSESSION, 0, TRUE, {}, true},
        {WM_ENDSESSION, FALSE, 0, {}, true},
        {WM_ENDSESSION, TRUE, 0, {"ProgramEndsNow"}, true},
        {WM_CLOSE, 0, 0, {"Form_Unload"}, false},
    };
    HWND handle = window.handle();
    for (const Step& step : steps) {
        events.calls.clear();
        EXPECT_EQ(SendMessageW(handle, step.message, step.w, ENDSESSION_LOGOFF), step.result) << step.message;
        EXPECT_EQ(events.calls, step.calls) << step.message;
        EXPECT_EQ(IsWindow(handle) != FALSE, step.windowLives) << step.message;
        MSG quit{};
        EXPECT_EQ(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, !step.windowLives)
            << step.message;
        EXPECT_EQ(quit.wParam, 0u);
    }
}

// A close destroys every control while their owners live on: each owner lets go of its window
// then, so what is still asked of the controls (a run unwinding) and the owners' end reach no
// destroyed window, which would set the thread's last error.
TEST_F(Win32MainWindowTest, AfterACloseTheControlsOwnersReachNoDestroyedWindow)
{
    auto closed = std::make_unique<MainWindow>();
    pump();
    HWND handle = closed->handle();
    SendMessageW(handle, WM_CLOSE, 0, 0);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    ASSERT_FALSE(IsWindow(handle));
    SetLastError(ERROR_SUCCESS);
    closed->progressBar().setValue(50);
    closed->comboBox().addItem("alpha");
    closed.reset();
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST_F(Win32MainWindowTest, PointersComeFromTheProgramsFilesAndADamagedFileIsRefused)
{
    window.loadCustomPointer(PRESSVALE_ASSETS "\\HAND-M.CUR");
    window.setPointer(PointerKind::Custom);
    EXPECT_EQ(window.pointer(), PointerKind::Custom);
    window.listView().showDragPointer(PRESSVALE_ASSETS "\\drag.ico");
    try {
        window.loadCustomPointer(PRESSVALE_ASSETS "\\x\\o.cjs");
        FAIL() << "a skin file was taken as a cursor";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), failure_code::kInvalidPicture);
    }
    EXPECT_THROW(window.listView().showDragPointer(PRESSVALE_ASSETS "\\missing.ico"), Failure);
}

TEST_F(Win32MainWindowTest, TheWindowShowsItsPointerAndTheListItsDragPointer)
{
    const auto shownOver = [](HWND control) {
        SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    // A cursor points at the hot spot its file gives, an icon at its centre.
    using Spot = std::pair<DWORD, DWORD>;
    const auto hotspot = [](HCURSOR cursor) {
        ICONINFO info{};
        GetIconInfo(cursor, &info);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        return Spot(info.xHotspot, info.yHotspot);
    };
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    HCURSOR hourglass = LoadCursorW(nullptr, IDC_WAIT);
    EXPECT_EQ(shownOver(window.handle()), arrow);
    window.setPointer(PointerKind::Busy);
    EXPECT_EQ(shownOver(window.handle()), hourglass);
    EXPECT_EQ(shownOver(child("PushButton1")), hourglass);  // over a button too

    window.listView().showDragPointer(PRESSVALE_ASSETS "\\drag.ico");
    HCURSOR drag = shownOver(list());
    EXPECT_NE(drag, hourglass);
    EXPECT_NE(drag, arrow);
    EXPECT_EQ(hotspot(drag), Spot(16, 16));
    window.listView().showArrowPointer();
    EXPECT_EQ(shownOver(list()), hourglass);

    window.loadCustomPointer(PRESSVALE_ASSETS "\\HAND-M.CUR");
    window.setPointer(PointerKind::Custom);
    HCURSOR hand = shownOver(window.handle());
    EXPECT_NE(hand, arrow);
    EXPECT_NE(hand, hourglass);
    EXPECT_EQ(hotspot(hand), Spot(7, 0));
    window.setPointer(PointerKind::Default);
    EXPECT_EQ(shownOver(window.handle()), arrow);
}

TEST_F(Win32MainWindowTest, CaptionAndPlacementAreInTwips)
{
    window.setCaption("Pressvale \xe2\x80\x93 test");
    wchar_t caption[64]{};
    GetWindowTextW(window.handle(), caption, 64);
    EXPECT_STREQ(caption, L"Pressvale \u2013 test");
    // The window carries the program's icon at both sizes.
    window.setApplicationIcon();
    for (const WPARAM size : {ICON_BIG, ICON_SMALL})
        EXPECT_NE(SendMessageW(window.handle(), WM_GETICON, size, 0), 0) << size;
    window.moveTo(1500, 750);
    RECT outer{};
    GetWindowRect(window.handle(), &outer);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 50);
    EXPECT_EQ(window.outerSize().width, (outer.right - outer.left) * 15.0);
}

TEST_F(Win32MainWindowTest, TheListTakesTheSkinsColoursAndGivesThemBack)
{
    Skin skin;
    skin.list.background = SkinColour{200, 10, 20};
    skin.list.text = SkinColour{1, 2, 3};
    skin.flags.skinControls = true;
    window.applySkin(skin);
    EXPECT_EQ(SendMessageW(list(), LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(RGB(200, 10, 20)));
    EXPECT_EQ(SendMessageW(list(), LVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(RGB(1, 2, 3)));

    // A skin without list colours gives the system's back.
    window.applySkin(Skin{});
    EXPECT_EQ(SendMessageW(list(), LVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(GetSysColor(COLOR_WINDOWTEXT)));
}

TEST_F(Win32MainWindowTest, AHundredThousandRowsFillAndClearQuickly)
{
    constexpr int kRows = 100000;
    std::vector<std::string> paths;
    paths.reserve(kRows);
    for (int i = 0; i < kRows; ++i)
        paths.push_back("C:\\Users\\user\\Documents\\reports\\2024\\report-" + std::to_string(i) + ".pdf");

    const auto started = std::chrono::steady_clock::now();
    for (std::string& path : paths)
        files.append(std::move(path));
    pump();
    const auto filled = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessageW(list(), LVM_GETITEMCOUNT, 0, 0), kRows);
    window.listView().selectRow(kRows);
    window.listView().ensureVisible(kRows);
    pump();
    files.clear();
    pump();
    const auto cleared = std::chrono::steady_clock::now();
    EXPECT_EQ(SendMessageW(list(), LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_LT(cleared - started, std::chrono::seconds(5));
    const auto ms = [](auto span) {
        return static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(span).count());
    };
    std::printf("[ figures  ] %d appends with the list shown: %lld ms; shown at the end and cleared: %lld ms\n", kRows,
                ms(filled - started), ms(cleared - filled));
}

// What a screen reader reads for `control`, through Active Accessibility.
std::string AccessibleName(HWND control)
{
    IAccessible* object = nullptr;
    if (AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object)) != S_OK)
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    object->get_accName(self, &name);
    const std::string text = win32::Utf8(name ? name : L"");
    SysFreeString(name);
    object->Release();
    return text;
}

// The Win32 window through real input (SendInput), its controls found and read as a screen
// reader finds and reads them.
class Win32WindowDriver : ShownMainWindow {
public:
    std::vector<std::string>& calls() { return events.calls; }
    PixelPlace placeOf(const char* name) const
    {
        RECT place{};
        GetWindowRect(child(name), &place);
        MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&place), 2);
        return {place.left, place.top, place.right - place.left, place.bottom - place.top};
    }
    std::string accessibleName(const char* name) const { return AccessibleName(child(name)); }
    void click(const std::string& accessibleName)
    {
        std::vector<HWND> controls;
        EnumChildWindows(
            window.handle(),
            [](HWND control, LPARAM found) {
                reinterpret_cast<std::vector<HWND>*>(found)->push_back(control);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&controls));
        for (HWND control : controls) {
            if (IsWindowVisible(control) && AccessibleName(control) == accessibleName) {
                clickAt(control, centre(control));
                return;
            }
        }
        ADD_FAILURE() << "no control reads as \"" << accessibleName << "\"";
    }
    void pressTab() { key(VK_TAB); }
    void moveTo(const char* name, int x, int y)
    {
        ShownMainWindow::moveTo(name ? child(name) : window.handle(), {x, y});
    }
    void setPointer(PointerKind kind) { window.setPointer(kind); }
    std::string shownPointer() const
    {
        const HCURSOR shown = ShownMainWindow::shownPointer();
        return shown == LoadCursorW(nullptr, IDC_ARROW)  ? "arrow"
               : shown == LoadCursorW(nullptr, IDC_WAIT) ? "busy"
                                                         : "other";
    }
    std::string focused() const
    {
        for (const layout::Control& control : layout::MainWindowControls()) {
            if (GetFocus() == child(control.name))
                return control.name;
        }
        return {};
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowContract, Win32WindowDriver);

}  // namespace
}  // namespace pv::testing
