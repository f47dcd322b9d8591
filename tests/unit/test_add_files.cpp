#include <gtest/gtest.h>

#include "fakes/form_harness.h"
#include "filelist/admission.h"

namespace pv::testing {
namespace {

using namespace std::string_literals;

TEST(NormaliseEntryPath, RemovesOnlyTheRootsDoubledSeparatorAtTheStart)
{
    EXPECT_EQ(NormaliseEntryPath("//a.pdf"), "/a.pdf");
    EXPECT_EQ(NormaliseEntryPath("//docs/a.pdf"), "/docs/a.pdf");
    EXPECT_EQ(NormaliseEntryPath("/docs//a.pdf"), "/docs//a.pdf");
    EXPECT_EQ(NormaliseEntryPath("/docs/a.pdf"), "/docs/a.pdf");
    EXPECT_EQ(NormaliseEntryPath(""), "");
    EXPECT_EQ(NormaliseEntryPath("/"), "/");
}

struct AddFilesTest : ::testing::Test {
    FormHarness h;
};

TEST_F(AddFilesTest, OpensTheDialogWithItsSettingsAndAnEmptyName)
{
    h.dialogs.openResults = {"/docs/a.pdf"s, ""s};
    h.form.PushButton1_Click();
    h.form.PushButton1_Click();
    ASSERT_EQ(h.dialogs.openedWith.size(), 2u);
    for (const auto& settings : h.dialogs.openedWith) {
        EXPECT_EQ(settings.fileName, "");
        EXPECT_EQ(settings.title, "Add File(s) - Hold Ctrl to select multiple files");
        EXPECT_EQ(settings.filter, "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*");
        EXPECT_EQ(settings.flags, 2621953u);
        EXPECT_EQ(settings.maxFileNameLength, 30000u);
    }
}

TEST_F(AddFilesTest, CancellingAddsNothingAndShowsNothing)
{
    h.dialogs.openResults = {""s};
    h.form.PushButton1_Click();
    EXPECT_TRUE(h.rows().empty());
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(AddFilesTest, OneFileIsAppendedExactlyAsReturned)
{
    h.addRows({"/old.pdf"});
    h.dialogs.openResults = {"//odd name \"q\".txt"s};
    h.form.PushButton1_Click();
    EXPECT_EQ(h.rows(), (std::vector<std::string>{"/old.pdf", "//odd name \"q\".txt"}));
}

TEST_F(AddFilesTest, SeveralFilesAreComposedInTheDialogsOrderAfterTheOldRows)
{
    h.addRows({"/old.pdf"});
    h.dialogs.openResults = {"/docs\0c.pdf\0a.pdf\0b.pdf"s};
    h.form.PushButton1_Click();
    EXPECT_EQ(h.rows(), (std::vector<std::string>{"/old.pdf", "/docs/c.pdf", "/docs/a.pdf", "/docs/b.pdf"}));
}

TEST_F(AddFilesTest, SeveralFilesAtTheRootGetOneSeparator)
{
    h.dialogs.openResults = {"/\0a.pdf\0b.pdf"s};
    h.form.PushButton1_Click();
    EXPECT_EQ(h.rows(), (std::vector<std::string>{"/a.pdf", "/b.pdf"}));
}

TEST_F(AddFilesTest, TheSameFileTwiceGivesTwoRows)
{
    h.dialogs.openResults = {"/a.pdf"s, "/a.pdf"s};
    h.form.PushButton1_Click();
    h.form.PushButton1_Click();
    EXPECT_EQ(h.rows(), (std::vector<std::string>{"/a.pdf", "/a.pdf"}));
}

TEST_F(AddFilesTest, TooManyFilesShowTheOverflowMessageAndAddNothing)
{
    h.dialogs.openResults = {Failure("The file name buffer is too small.", 20476)};
    h.form.PushButton1_Click();
    EXPECT_TRUE(h.rows().empty());
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].text,
              "You've selected too many files to add.\r\rPlease try adding via the \"Add All\" button.");
    EXPECT_EQ(h.boxes.shown[0].title, "Pressvale");
    EXPECT_EQ(h.boxes.shown[0].icon, BoxIcon::None);
}

TEST_F(AddFilesTest, AnotherDialogFailureIsReportedAt112)
{
    h.dialogs.openResults = {Failure("Dialog broke", 32755)};
    h.form.PushButton1_Click();
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_NE(h.boxes.shown[0].text.find(
                  "in Pagevane2/11/201512/4/2014.Form1.PushButton1_Click at line 112\r\r"),
              std::string::npos);
    EXPECT_TRUE(h.rows().empty());
}

}  // namespace
}  // namespace pv::testing
