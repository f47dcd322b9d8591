#include <gtest/gtest.h>

#include "fakes/form_harness.h"
#include "window_contract/window_events.h"

namespace pv::testing {
namespace {

const std::string kDragIcon = NativeJoin(kTestProgramFolder, "drag.ico");

struct ListEditingTest : ::testing::Test {
    FormHarness h;

    ListEditingTest()
    {
        h.addRows({"A", "B", "C", "D"});
        h.list.loadableIcons.insert(kDragIcon);
    }

    static int yOf(int row) { return (row - 1) * FakeListView::kRowHeight + 5; }

    // A press on `row` as the list reports it: the press, then the item click.
    void pressOn(int row)
    {
        h.list.selected = row;
        h.form.ListView1_MouseDown(mouse_button::kLeft, 0, 10, yOf(row));
        h.form.ListView1_ItemClick(row);
    }
    void moveOver(int row) { h.form.ListView1_MouseMove(mouse_button::kLeft, 0, 10, yOf(row)); }
    void release() { h.form.ListView1_MouseUp(mouse_button::kLeft, 0, 10, 0); }
    std::vector<std::string> rows() const { return h.rows(); }
};

using Rows = std::vector<std::string>;

TEST_F(ListEditingTest, DeleteRemovesTheSelectedRowWhateverTheModifiers)
{
    h.list.selected = 2;
    h.form.ListView1_KeyDown(kKeyDelete, 0);
    EXPECT_EQ(rows(), (Rows{"A", "C", "D"}));
    h.list.selected = 1;
    h.form.ListView1_KeyDown(kKeyDelete, shift_bits::kShift | shift_bits::kCtrl);
    EXPECT_EQ(rows(), (Rows{"C", "D"}));
    h.form.ListView1_KeyDown('A', 0);
    EXPECT_EQ(rows(), (Rows{"C", "D"}));
}

TEST_F(ListEditingTest, DoubleClickRemovesTheSelectedRow)
{
    h.list.selected = 4;
    h.form.ListView1_DblClick();
    EXPECT_EQ(rows(), (Rows{"A", "B", "C"}));
}

TEST_F(ListEditingTest, NothingSelectedRemovesNothingSilently)
{
    h.list.selected = 0;
    h.form.ListView1_KeyDown(kKeyDelete, 0);
    h.form.ListView1_DblClick();
    h.list.selected = 9;  // a selection the list no longer has
    h.form.ListView1_DblClick();
    EXPECT_EQ(rows(), (Rows{"A", "B", "C", "D"}));
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(ListEditingTest, ClearListEmptiesAnyListWithoutAQuestion)
{
    h.form.PushButton4_Click();
    EXPECT_TRUE(rows().empty());
    h.form.PushButton4_Click();
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(ListEditingTest, MovingDownOneRowAtATimeCarriesThePathAlongAndBackUp)
{
    pressOn(1);
    moveOver(2);
    EXPECT_EQ(rows(), (Rows{"B", "A", "C", "D"}));
    EXPECT_EQ(h.list.selected, 2);
    moveOver(3);
    EXPECT_EQ(rows(), (Rows{"B", "C", "A", "D"}));
    EXPECT_EQ(h.list.selected, 3);
    moveOver(4);
    EXPECT_EQ(rows(), (Rows{"B", "C", "D", "A"}));
    EXPECT_EQ(h.list.selected, 4);
    moveOver(3);
    EXPECT_EQ(rows(), (Rows{"B", "C", "A", "D"}));
}

TEST_F(ListEditingTest, AJumpSwapsOnlyTheTwoEnds)
{
    pressOn(1);
    moveOver(4);
    EXPECT_EQ(rows(), (Rows{"D", "B", "C", "A"}));
}

TEST_F(ListEditingTest, MovesWithoutAPressChangeNothing)
{
    pressOn(1);
    release();
    moveOver(3);
    EXPECT_EQ(rows(), (Rows{"A", "B", "C", "D"}));
}

TEST_F(ListEditingTest, EqualTextsSwapNothingAndKeepTheDraggedRow)
{
    h.form.fileList().setText(3, "A");
    pressOn(1);
    moveOver(3);
    EXPECT_EQ(rows(), (Rows{"A", "B", "A", "D"}));
    moveOver(2);
    EXPECT_EQ(rows(), (Rows{"B", "A", "A", "D"}));
}

TEST_F(ListEditingTest, AfterAReleaseAPressOnEmptySpaceSwapsWithTheLastDraggedRow)
{
    pressOn(1);
    moveOver(2);
    release();
    h.form.ListView1_MouseDown(mouse_button::kLeft, 0, 10, 500);  // below the last row
    moveOver(4);
    EXPECT_EQ(rows(), (Rows{"B", "D", "C", "A"}));
}

TEST_F(ListEditingTest, TheDragPointerShowsFromTheClickUntilTheRelease)
{
    pressOn(2);
    EXPECT_EQ(h.list.dragPointer, kDragIcon);
    EXPECT_TRUE(h.list.outwardDragDisabled);
    release();
    EXPECT_FALSE(h.list.dragPointer);
}

TEST_F(ListEditingTest, AMissingDragIconStillLetsRowsMove)
{
    h.list.loadableIcons.clear();
    pressOn(1);
    EXPECT_FALSE(h.list.dragPointer);
    moveOver(2);
    EXPECT_EQ(rows(), (Rows{"B", "A", "C", "D"}));
}

TEST_F(ListEditingTest, TheDraggedRowFollowsRemovalsAboveIt)
{
    pressOn(3);
    release();
    h.list.selected = 1;
    h.form.ListView1_KeyDown(kKeyDelete, 0);  // rows B, C, D; C was dragged
    h.form.ListView1_MouseDown(mouse_button::kLeft, 0, 10, 500);
    moveOver(1);
    EXPECT_EQ(rows(), (Rows{"C", "B", "D"}));
}

TEST_F(ListEditingTest, ARemovedDraggedRowSwapsNothingUntilTheNextClick)
{
    pressOn(2);
    release();
    h.form.ListView1_DblClick();  // removes B, the dragged row
    h.form.ListView1_MouseDown(mouse_button::kLeft, 0, 10, 500);
    moveOver(1);
    EXPECT_EQ(rows(), (Rows{"A", "C", "D"}));
    release();
    h.form.PushButton4_Click();
    h.addRows({"X", "Y"});
    h.form.ListView1_MouseDown(mouse_button::kLeft, 0, 10, 500);
    moveOver(2);
    EXPECT_EQ(rows(), (Rows{"X", "Y"}));
    pressOn(1);
    moveOver(2);
    EXPECT_EQ(rows(), (Rows{"Y", "X"}));
}

TEST_F(ListEditingTest, SwapsScrollByTheAbsoluteScreenLines)
{
    pressOn(1);
    h.window.cursor = {400, 304};
    moveOver(2);  // above line 305 over row 2: row 1 comes into view
    h.window.cursor = {400, 330};
    moveOver(3);  // between the lines: nothing scrolls
    h.window.cursor = {400, 365};
    moveOver(4);  // at line 365 over the last row: nothing to show below
    moveOver(3);  // over row 3: row 4 comes into view
    EXPECT_EQ(h.list.scrolledTo, (std::vector<int>{1, 4}));
}

TEST_F(ListEditingTest, AboveTheUpperLineOverTheFirstRowNothingScrolls)
{
    pressOn(2);
    h.window.cursor = {0, 10};
    moveOver(1);
    EXPECT_TRUE(h.list.scrolledTo.empty());
}

TEST_F(ListEditingTest, MovesOverTheListResetThePointerUnlessBusy)
{
    h.window.pointerKind = PointerKind::Custom;
    moveOver(1);
    EXPECT_EQ(h.window.pointerKind, PointerKind::Default);
    h.window.pointerKind = PointerKind::Busy;
    moveOver(1);
    EXPECT_EQ(h.window.pointerKind, PointerKind::Busy);
}

TEST(HoverPointer, HandOverButtonsArrowElsewhereHourglassKept)
{
    FormHarness h;
    h.form.PushButton_MouseMove(3);
    EXPECT_EQ(h.window.pointerKind, PointerKind::Custom);
    h.form.Frame1_MouseMove();
    EXPECT_EQ(h.window.pointerKind, PointerKind::Default);
    h.form.PushButton_MouseMove(6);
    h.form.Form_MouseMove();
    EXPECT_EQ(h.window.pointerKind, PointerKind::Default);
    h.window.pointerKind = PointerKind::Busy;
    h.form.PushButton_MouseMove(1);
    h.form.Frame1_MouseMove();
    h.form.Form_MouseMove();
    EXPECT_EQ(h.window.pointerKind, PointerKind::Busy);
}

TEST(HelpButton, ShowsTheNoticeWithTheSupportAddress)
{
    FormHarness h;
    h.form.PushButton6_Click();
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].text,
              std::string("Adobe Acrobat must be installed to use this software. Please email ") + kTestSupportAddress +
                  " if you have any questions about this software.");
    EXPECT_EQ(h.boxes.shown[0].title, "Pressvale");
    EXPECT_EQ(h.boxes.shown[0].icon, BoxIcon::None);
}

}  // namespace
}  // namespace pv::testing
