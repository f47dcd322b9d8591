#include <gtest/gtest.h>

#include "fakes/form_harness.h"

namespace pv::testing {
namespace {

struct DropTest : ::testing::Test {
    FormHarness h;

    DropTest()
    {
        FakeFileSystem& fs = h.fileSystem;
        fs.addFolder(Native("/.private"), attr::kDirectory | attr::kHidden);
        fs.addTree(Native("/"),
                   {"in/one.txt", "in/~tmp.doc", "in/sub/two.pdf", "other/three.png", "loose.jpg", ".private/p.pdf"});
        fs.addFile(Native("/in/shy.pdf"), attr::kHidden | attr::kArchive);
    }
};

TEST_F(DropTest, OnlyDragsCarryingFilesAreAccepted)
{
    EXPECT_TRUE(h.form.ListView1_OLEDragOver(true));
    EXPECT_FALSE(h.form.ListView1_OLEDragOver(false));
}

TEST_F(DropTest, FilesAreAppendedUnchangedInTheDragsOrder)
{
    h.addRows(NativePaths({"/old.pdf"}));
    h.form.ListView1_OLEDragDrop(NativePaths({"/loose.jpg", "/in/~tmp.doc", "/in/shy.pdf"}));
    EXPECT_EQ(h.rows(), NativePaths({"/old.pdf", "/loose.jpg", "/in/~tmp.doc", "/in/shy.pdf"}));
}

TEST_F(DropTest, AFolderAddsItsWholeTreeUnderTheAdmissionRules)
{
    h.form.ListView1_OLEDragDrop(NativePaths({"/in"}));
    EXPECT_EQ(h.rows(), NativePaths({"/in/one.txt", "/in/sub/two.pdf"}));
}

TEST_F(DropTest, EachItemsRowsComeBeforeTheNextItems)
{
    h.form.ListView1_OLEDragDrop(NativePaths({"/other", "/loose.jpg", "/in/sub"}));
    EXPECT_EQ(h.rows(), NativePaths({"/other/three.png", "/loose.jpg", "/in/sub/two.pdf"}));
}

TEST_F(DropTest, TheRootGivesPathsWithOneSeparator)
{
    h.form.ListView1_OLEDragDrop(NativePaths({"/"}));
    ASSERT_FALSE(h.rows().empty());
    EXPECT_EQ(h.rows()[0], Native("/loose.jpg"));
}

TEST_F(DropTest, AHiddenFolderDroppedOnPurposeIsWalked)
{
    h.form.ListView1_OLEDragDrop(NativePaths({"/.private"}));
    EXPECT_EQ(h.rows(), NativePaths({"/.private/p.pdf"}));
}

// A folder that cannot be read lists nothing rather than failing: the rest of its tree and
// the next item are added all the same, and nothing is reported.
TEST_F(DropTest, AnUnreadableSubfolderAddsNothingAndTheDropGoesOn)
{
    h.fileSystem.unreadableFolders = {Native("/in/sub")};
    h.form.ListView1_OLEDragDrop(NativePaths({"/in", "/loose.jpg"}));
    EXPECT_EQ(h.rows(), NativePaths({"/in/one.txt", "/loose.jpg"}));
    EXPECT_TRUE(h.boxes.shown.empty());
}

}  // namespace
}  // namespace pv::testing
