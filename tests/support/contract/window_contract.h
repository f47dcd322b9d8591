#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "ui/layout/main_window_layout.h"

namespace pv::testing {

// A control's place in the window's client area, in pixels.
struct PixelPlace {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const PixelPlace&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const PixelPlace& place)
{
    return out << place.width << "x" << place.height << " at " << place.left << "," << place.top;
}

// What the main window promises whichever toolkit shows it, run against the Qt window and the
// Win32 window alike, at 15 twips a pixel. The table of places and names is the one the layout
// tests check.
//
// A Driver shows the window over an empty file list, writes down the event procedures it
// calls, and uses it as a person does:
//   std::vector<std::string>& calls();              // the procedures called so far
//   PixelPlace placeOf(const char* name);           // where the control of the table shows
//   std::string accessibleName(const char* name);   // what a screen reader reads for it
//   void click(const std::string& accessibleName);  // finds the control a screen reader reads
//                                                   // so, and clicks at its centre with the
//                                                   // pointer
//   void pressTab();                                // the Tab key, to the focused control
//   std::string focused();                          // the table name of the focused control
//   void moveTo(const char* name, int x, int y);    // the pointer to (x, y) of that control, or
//                                                   // of the window's client area for nullptr
//   void setPointer(PointerKind kind);              // as Form1 sets the window's pointer
//   std::string shownPointer();                     // "arrow", "busy" or "other", as shown now
template <class Driver>
class WindowContract : public ::testing::Test {
protected:
    Driver driver;
};

TYPED_TEST_SUITE_P(WindowContract);

TYPED_TEST_P(WindowContract, EveryControlShowsAtItsPlaceInTwips)
{
    const auto pixels = [](double twips) { return static_cast<int>(std::lround(twips / 15.0)); };
    for (const layout::Control& control : layout::MainWindowControls()) {
        const layout::PlaceTwips place = layout::PlaceInWindow(control);
        EXPECT_EQ(this->driver.placeOf(control.name),
                  (PixelPlace{pixels(place.left), pixels(place.top), pixels(place.width), pixels(place.height)}))
            << control.name;
    }
}

TYPED_TEST_P(WindowContract, AScreenReaderReadsEveryControlsName)
{
    for (const layout::Control& control : layout::MainWindowControls())
        EXPECT_EQ(this->driver.accessibleName(control.name), control.accessibleName) << control.name;
}

TYPED_TEST_P(WindowContract, APointerClickOnEachButtonReachesItsProcedure)
{
    std::vector<std::string> expected;
    for (const layout::Control& control : layout::MainWindowControls()) {
        if (control.kind != ControlKind::PushButton)
            continue;
        this->driver.click(control.accessibleName);
        expected.push_back(std::string(control.name) + "_Click");
    }
    std::vector<std::string> clicks;
    for (const std::string& call : this->driver.calls()) {
        if (call.ends_with("_Click"))
            clicks.push_back(call);
    }
    EXPECT_EQ(clicks, expected);
}

// The list has the focus first; Tab passes over the frame and the progress bar, which take no
// focus, and comes back round to the list.
TYPED_TEST_P(WindowContract, TabTakesTheFocusThroughTheTableInItsOrder)
{
    std::vector<std::string> expected;
    for (const layout::Control& control : layout::MainWindowControls()) {
        if (control.kind != ControlKind::Frame && control.kind != ControlKind::ProgressBar)
            expected.push_back(control.name);
    }
    EXPECT_EQ(this->driver.focused(), expected.front());
    expected.push_back(expected.front());
    expected.erase(expected.begin());
    std::vector<std::string> tabbed;
    for (std::size_t step = 0; step < expected.size(); ++step) {
        this->driver.pressTab();
        tabbed.push_back(this->driver.focused());
    }
    EXPECT_EQ(tabbed, expected);
}

// A move reaches the hover procedure of what lies under the pointer: a button, the frame or the
// window's background. The pointer shown is the window's, over its controls too.
TYPED_TEST_P(WindowContract, APointerMoveReachesWhatIsUnderItWhichShowsTheWindowsPointer)
{
    struct Move {
        const char* control;
        std::string call;
    };
    std::vector<Move> moves;
    for (const layout::Control& control : layout::MainWindowControls()) {
        if (control.kind == ControlKind::PushButton)
            moves.push_back({control.name, "PushButton_MouseMove " + std::to_string(control.number)});
    }
    moves.push_back({"Frame1", "Frame1_MouseMove"});
    moves.push_back({nullptr, "Form_MouseMove"});
    std::vector<std::string>& calls = this->driver.calls();
    for (const Move& move : moves) {
        calls.clear();
        this->driver.moveTo(move.control, 4, 4);
        EXPECT_FALSE(calls.empty()) << move.call;
        for (const std::string& call : calls)
            EXPECT_EQ(call, move.call);
    }

    this->driver.setPointer(PointerKind::Busy);
    this->driver.moveTo("PushButton1", 5, 5);
    EXPECT_EQ(this->driver.shownPointer(), "busy");
    this->driver.setPointer(PointerKind::Default);
    this->driver.moveTo("PushButton2", 5, 5);
    EXPECT_EQ(this->driver.shownPointer(), "arrow");
}

REGISTER_TYPED_TEST_SUITE_P(WindowContract, EveryControlShowsAtItsPlaceInTwips, AScreenReaderReadsEveryControlsName,
                            APointerClickOnEachButtonReachesItsProcedure, TabTakesTheFocusThroughTheTableInItsOrder,
                            APointerMoveReachesWhatIsUnderItWhichShowsTheWindowsPointer);

}  // namespace pv::testing
