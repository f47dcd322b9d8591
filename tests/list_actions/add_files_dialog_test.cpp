#include <gtest/gtest.h>

#include "fakes/form_harness.h"
#include "list_actions/admission.h"

namespace pv::testing {
namespace {

using namespace std::string_literals;

TEST(NormaliseEntryPath, RemovesOnlyTheRootsDoubledSeparatorAtTheStart)
{
    EXPECT_EQ(NormaliseEntryPath(Native("//a.pdf")), Native("/a.pdf"));
    EXPECT_EQ(NormaliseEntryPath(Native("//docs/a.pdf")), Native("/docs/a.pdf"));
    EXPECT_EQ(NormaliseEntryPath(Native("/docs//a.pdf")), Native("/docs//a.pdf"));
    EXPECT_EQ(NormaliseEntryPath(Native("/docs/a.pdf")), Native("/docs/a.pdf"));
    EXPECT_EQ(NormaliseEntryPath(""), "");
    EXPECT_EQ(NormaliseEntryPath(Native("/")), Native("/"));

    // Each platform's own forms, as its file dialogs and walks give them.
    if constexpr (kPathSeparator == '\\') {
        EXPECT_EQ(NormaliseEntryPath("C:\\\\a.pdf"), "C:\\a.pdf");
        EXPECT_EQ(NormaliseEntryPath("D:\\\\docs\\a.pdf"), "D:\\docs\\a.pdf");
        EXPECT_EQ(NormaliseEntryPath("C:\\docs\\\\a.pdf"), "C:\\docs\\\\a.pdf");
        EXPECT_EQ(NormaliseEntryPath("C:\\"), "C:\\");
        // A network path starts with its two separators and keeps them.
        EXPECT_EQ(NormaliseEntryPath("\\\\server\\share\\a.pdf"), "\\\\server\\share\\a.pdf");
    } else {
        EXPECT_EQ(NormaliseEntryPath("//a.pdf"), "/a.pdf");
        EXPECT_EQ(NormaliseEntryPath("//docs/a.pdf"), "/docs/a.pdf");
        EXPECT_EQ(NormaliseEntryPath("/docs//a.pdf"), "/docs//a.pdf");
        EXPECT_EQ(NormaliseEntryPath("/"), "/");
    }
}

struct AddFilesTest : ::testing::Test {
    FormHarness h;
};

TEST_F(AddFilesTest, OpensTheDialogWithItsSettingsAndAnEmptyName)
{
    h.dialogs.openResults = {Native("/docs/a.pdf"), ""s};
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
    h.addRows(NativePaths({"/old.pdf"}));
    h.dialogs.openResults = {Native("//odd name \"q\".txt")};
    h.form.PushButton1_Click();
    EXPECT_EQ(h.rows(), NativePaths({"/old.pdf", "//odd name \"q\".txt"}));
}

TEST_F(AddFilesTest, SeveralFilesAreComposedInTheDialogsOrderAfterTheOldRows)
{
    h.addRows(NativePaths({"/old.pdf"}));
    h.dialogs.openResults = {Native("/docs\0c.pdf\0a.pdf\0b.pdf"s)};
    h.form.PushButton1_Click();
    EXPECT_EQ(h.rows(), NativePaths({"/old.pdf", "/docs/c.pdf", "/docs/a.pdf", "/docs/b.pdf"}));
}

TEST_F(AddFilesTest, SeveralFilesAtTheRootGetOneSeparator)
{
    h.dialogs.openResults = {Native("/\0a.pdf\0b.pdf"s)};
    h.form.PushButton1_Click();
    EXPECT_EQ(h.rows(), NativePaths({"/a.pdf", "/b.pdf"}));
}

TEST_F(AddFilesTest, TheSameFileTwiceGivesTwoRows)
{
    h.dialogs.openResults = {Native("/a.pdf"), Native("/a.pdf")};
    h.form.PushButton1_Click();
    h.form.PushButton1_Click();
    EXPECT_EQ(h.rows(), NativePaths({"/a.pdf", "/a.pdf"}));
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
    EXPECT_NE(h.boxes.shown[0].text.find("in Pagevane2/11/201512/4/2014.Form1.PushButton1_Click at line 112\r\r"),
              std::string::npos);
    EXPECT_TRUE(h.rows().empty());
}

}  // namespace
}  // namespace pv::testing
