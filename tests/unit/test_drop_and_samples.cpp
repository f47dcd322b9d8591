#include <gtest/gtest.h>

#include "fakes/form_harness.h"

namespace pv::testing {
namespace {

const std::string kSamples = NativeJoin(kTestProgramFolder, "Samples");

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

struct SampleFilesTest : ::testing::Test {
    FormHarness h;

    SampleFilesTest()
    {
        h.fileSystem.addTree(kSamples, {"b.pdf", "a.txt", "nested/n.pdf"});
        h.fileSystem.addFile(NativeJoin(kSamples, "~c.pdf"), attr::kHidden | attr::kArchive | attr::kSystem);
    }
};

TEST_F(SampleFilesTest, AppendsEveryFileOfTheFolderAndAsks)
{
    h.addRows(NativePaths({"/x.pdf", "/y.pdf"}));
    h.boxes.answers = {BoxAnswer::No};
    h.form.PushButton5_Click();
    EXPECT_EQ(h.rows(), (std::vector<std::string>{Native("/x.pdf"), Native("/y.pdf"), NativeJoin(kSamples, "a.txt"),
                                                  NativeJoin(kSamples, "b.pdf"), NativeJoin(kSamples, "~c.pdf")}));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].text,
              "Would you like this software to open the folder where these sample files are stored (so that you "
              "can view them before working with them)?");
    EXPECT_EQ(h.boxes.shown[0].buttons, BoxButtons::YesNo);
    EXPECT_EQ(h.boxes.shown[0].icon, BoxIcon::None);
    EXPECT_EQ(h.boxes.shown[0].title, "Pressvale");
    EXPECT_TRUE(h.shell.openedFolders.empty());
}

TEST_F(SampleFilesTest, YesOpensTheSampleFolder)
{
    h.form.PushButton5_Click();
    EXPECT_EQ(h.shell.openedFolders, std::vector<std::string>{kSamples + kPathSeparator});
}

TEST_F(SampleFilesTest, TwiceListsEverySampleTwice)
{
    h.boxes.answers = {BoxAnswer::No, BoxAnswer::No};
    h.form.PushButton5_Click();
    h.form.PushButton5_Click();
    EXPECT_EQ(h.rows().size(), 6u);
}

TEST_F(SampleFilesTest, AMissingFolderAddsNothingButStillAsks)
{
    h.fileSystem.remove(kSamples);
    h.boxes.answers = {BoxAnswer::No};
    h.form.PushButton5_Click();
    EXPECT_EQ(h.boxTexts().size(), 1u);
}

// A sample folder that cannot be read lists nothing rather than failing: no report, and the
// question still follows.
TEST_F(SampleFilesTest, AnUnreadableFolderAddsNothingAndTheQuestionFollows)
{
    h.fileSystem.unreadableFolders = {kSamples};
    h.boxes.answers = {BoxAnswer::No};
    h.form.PushButton5_Click();
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].buttons, BoxButtons::YesNo);
    EXPECT_TRUE(h.rows().empty());
}

}  // namespace
}  // namespace pv::testing
