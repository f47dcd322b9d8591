#include <gtest/gtest.h>

#include "fakes/form_harness.h"

namespace pv::testing {
namespace {

const std::string kSamples = NativeJoin(kTestProgramFolder, "Samples");

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
