#include <algorithm>
#include <set>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "ui/layout/main_window_layout.h"
#include "ui/layout/twips.h"

namespace pv::layout {
namespace {

int Count(ControlKind kind)
{
    const auto controls = MainWindowControls();
    return static_cast<int>(
        std::count_if(controls.begin(), controls.end(), [kind](const Control& c) { return c.kind == kind; }));
}

TEST(MainWindowLayout, ClientAreaIs536By368PixelsAt15TwipsAPixel)
{
    EXPECT_EQ(TwipsToPixels(kClientWidth), 536);
    EXPECT_EQ(TwipsToPixels(kClientHeight), 368);
}

TEST(MainWindowLayout, HoldsTheListSixButtonsTheFrameItsBoxAndTheBar)
{
    EXPECT_EQ(MainWindowControls().size(), 10u);
    EXPECT_EQ(Count(ControlKind::ListView), 1);
    EXPECT_EQ(Count(ControlKind::PushButton), 6);
    EXPECT_EQ(Count(ControlKind::Frame), 1);
    EXPECT_EQ(Count(ControlKind::ComboBox), 1);
    EXPECT_EQ(Count(ControlKind::ProgressBar), 1);
}

TEST(MainWindowLayout, NamesAndButtonNumbersAreUniqueAndAgree)
{
    std::set<std::string> names;
    std::set<int> numbers;
    for (const Control& control : MainWindowControls()) {
        EXPECT_TRUE(names.insert(control.name).second) << control.name;
        if (control.kind == ControlKind::PushButton) {
            EXPECT_TRUE(numbers.insert(control.number).second);
            EXPECT_EQ(std::string(control.name), "PushButton" + std::to_string(control.number));
        } else {
            EXPECT_EQ(control.number, 0) << control.name;
        }
    }
    EXPECT_EQ(numbers, (std::set<int>{1, 2, 3, 4, 5, 6}));
}

TEST(MainWindowLayout, TabOrderStartsAtTheListAndEndsAtThePrinterBox)
{
    std::string order;
    for (const Control& control : MainWindowControls())
        order += std::string(control.name) + " ";
    EXPECT_EQ(order, "ListView1 PushButton1 PushButton3 PushButton4 PushButton5 PushButton6 ProgressBar1 "
                     "PushButton2 Frame1 Combo1 ");
}

// The one place that states each control's place, caption and accessible name; the window
// tests walk the table.
TEST(MainWindowLayout, PlacesCaptionsAndAccessibleNames)
{
    struct Expected {
        PlaceTwips place;
        std::string caption;
        std::string accessibleName;
    };
    const Expected expected[] = {
        {{120, 630, 7800, 1815}, "", "PDF Files"},
        {{120, 2530, 3840, 405}, "Add PDF File(s)", "Add PDF File(s)"},
        {{4080, 2530, 3840, 405}, "Add All PDF File(s) In Folder", "Add All PDF File(s) In Folder"},
        {{120, 3040, 3840, 405}, "Clear List", "Clear List"},
        {{4080, 3040, 3840, 405}, "Load Sample/Example Files", "Load Sample/Example Files"},
        {{120, 120, 7800, 405}, "Help", "Help"},
        {{120, 4980, 7800, 405}, "", "Progress"},
        {{120, 4460, 7800, 405}, "Start Printing", "Start Printing"},
        {{120, 3510, 7800, 825}, "Select Printer", "Select Printer"},
        {{240, 300, 7320, 345}, "", "Select Printer"},
    };
    const auto controls = MainWindowControls();
    ASSERT_EQ(controls.size(), std::size(expected));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Control& c = controls[i];
        const PlaceTwips& place = expected[i].place;
        EXPECT_EQ(std::tie(c.place.left, c.place.top, c.place.width, c.place.height),
                  std::tie(place.left, place.top, place.width, place.height))
            << c.name;
        EXPECT_EQ(c.caption, expected[i].caption) << c.name;
        EXPECT_EQ(c.accessibleName, expected[i].accessibleName) << c.name;
    }
}

TEST(MainWindowLayout, EveryControlLiesInsideTheClientAreaAndItsContainer)
{
    for (const Control& control : MainWindowControls()) {
        const PlaceTwips at = PlaceInWindow(control);
        EXPECT_GE(at.left, 0) << control.name;
        EXPECT_GE(at.top, 0) << control.name;
        EXPECT_LE(at.left + at.width, kClientWidth) << control.name;
        EXPECT_LE(at.top + at.height, kClientHeight) << control.name;
        if (control.parent) {
            const PlaceTwips outer = PlaceInWindow(ControlNamed(control.parent));
            EXPECT_LE(at.left + at.width, outer.left + outer.width) << control.name;
            EXPECT_LE(at.top + at.height, outer.top + outer.height) << control.name;
        }
    }
}

TEST(MainWindowLayout, ControlsOfTheWindowDoNotOverlap)
{
    const auto controls = MainWindowControls();
    for (const Control& a : controls) {
        for (const Control& b : controls) {
            if (&a == &b || a.parent || b.parent)
                continue;
            const bool apart =
                a.place.left + a.place.width <= b.place.left || b.place.left + b.place.width <= a.place.left ||
                a.place.top + a.place.height <= b.place.top || b.place.top + b.place.height <= a.place.top;
            EXPECT_TRUE(apart) << a.name << " and " << b.name;
        }
    }
}

TEST(MainWindowLayout, ThePrinterBoxSitsInTheFrameAt240By300)
{
    const PlaceTwips box = PlaceInWindow(ControlNamed("Combo1"));
    EXPECT_EQ(box.left, 360);
    EXPECT_EQ(box.top, 3810);
    EXPECT_EQ(box.width, 7320);
}

TEST(MainWindowLayout, EveryControlHasAnAccessibleNameAndButtonsAndTheFrameACaption)
{
    for (const Control& control : MainWindowControls()) {
        EXPECT_STRNE(control.accessibleName, "") << control.name;
        const bool captioned = control.kind == ControlKind::PushButton || control.kind == ControlKind::Frame;
        EXPECT_EQ(std::string(control.caption).empty(), !captioned) << control.name;
    }
    EXPECT_STREQ(ControlNamed("ListView1").accessibleName, "PDF Files");
    EXPECT_NE(std::string(kListToolTip).find("Double-click item to remove it."), std::string::npos);
}

TEST(MainWindowLayout, ButtonsUseTheLargerFontAndTheRestTheWindowFont)
{
    EXPECT_STREQ(kWindowFont.face, "Arial");
    EXPECT_EQ(kWindowFont.points, 9);
    for (const Control& control : MainWindowControls()) {
        if (control.kind == ControlKind::PushButton) {
            ASSERT_NE(control.font, nullptr) << control.name;
            EXPECT_EQ(control.font->points, 11.25);
            EXPECT_TRUE(control.font->bold);
        } else {
            EXPECT_EQ(control.font, nullptr) << control.name;
        }
    }
}

TEST(MainWindowLayout, AnUnknownNameIsRefused)
{
    EXPECT_THROW(ControlNamed("Text1"), std::out_of_range);
}

}  // namespace
}  // namespace pv::layout
