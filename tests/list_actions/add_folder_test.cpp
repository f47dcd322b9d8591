#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fakes/form_harness.h"
#include "list_actions/admission.h"

namespace pv::testing {
namespace {

using namespace std::string_literals;

struct AddFolderTest : ::testing::Test {
    FormHarness h;

    AddFolderTest()
    {
        FakeFileSystem& fs = h.fileSystem;
        fs.addFolder(Native("/docs/.hidden"), attr::kDirectory | attr::kHidden);
        fs.addTree(Native("/docs"), {"b.pdf", "A.PDF", "notes.txt", "~lock.pdf", "sub2/z.pdf", "sub1/y.pdf",
                                     "sub1/deep/x.pdf", ".hidden/secret.pdf"});
        fs.addFile(Native("/docs/shy.pdf"), attr::kHidden | attr::kArchive);
        fs.addFile(Native("/docs/shy-plain.pdf"), attr::kHidden);
        fs.addFile(Native("/docs/locked.pdf"), attr::kHidden | attr::kArchive | attr::kReadOnly);
    }

    // -1 for a box that is no report of this action.
    std::vector<int> reportedLines() const { return ReportedLines(h.boxes, "PushButton3_Click"); }
};

TEST_F(AddFolderTest, AppendsThePdfFilesOfTheTreeInWalkOrder)
{
    h.addRows(NativePaths({"/old.pdf"}));
    h.dialogs.folderResults = {Native("/docs")};
    h.form.PushButton3_Click();
    EXPECT_EQ(h.dialogs.folderTitles, std::vector<std::string>{"Please select folder:"});
    EXPECT_EQ(h.rows(),
              NativePaths({"/old.pdf", "/docs/A.PDF", "/docs/b.pdf", "/docs/locked.pdf", "/docs/shy-plain.pdf",
                           "/docs/sub1/y.pdf", "/docs/sub2/z.pdf", "/docs/sub1/deep/x.pdf"}));
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(AddFolderTest, ShowsTheHourglassThenTheDefaultPointer)
{
    h.dialogs.folderResults = {Native("/docs")};
    h.form.PushButton3_Click();
    EXPECT_EQ(h.window.pointerChanges, (std::vector<PointerKind>{PointerKind::Busy, PointerKind::Default}));
}

TEST_F(AddFolderTest, CancellingAddsNothingAndLeavesThePointer)
{
    h.dialogs.folderResults = {""s};
    h.form.PushButton3_Click();
    EXPECT_TRUE(h.rows().empty());
    EXPECT_TRUE(h.window.pointerChanges.empty());
}

TEST_F(AddFolderTest, TheRootGivesPathsWithOneSeparator)
{
    h.fileSystem.addFile(Native("/top.pdf"));
    h.dialogs.folderResults = {Native("/")};
    h.form.PushButton3_Click();
    ASSERT_FALSE(h.rows().empty());
    EXPECT_EQ(h.rows()[0], Native("/top.pdf"));
    EXPECT_EQ(h.rows()[1], Native("/docs/A.PDF"));
}

TEST_F(AddFolderTest, TwiceAddsEveryFileTwice)
{
    h.dialogs.folderResults = {Native("/docs/sub2"), Native("/docs/sub2")};
    h.form.PushButton3_Click();
    h.form.PushButton3_Click();
    EXPECT_EQ(h.rows(), NativePaths({"/docs/sub2/z.pdf", "/docs/sub2/z.pdf"}));
}

// A subfolder that cannot be read lists nothing rather than failing: it and what lies below
// it add nothing, the rest of the tree is added without a report, and the pointer comes back.
TEST_F(AddFolderTest, AnUnreadableSubfolderAddsNothingAndTheRestIsAdded)
{
    h.fileSystem.unreadableFolders = {Native("/docs/sub1")};
    h.dialogs.folderResults = {Native("/docs")};
    h.form.PushButton3_Click();
    EXPECT_EQ(reportedLines(), std::vector<int>{});
    EXPECT_EQ(h.rows(), NativePaths({"/docs/A.PDF", "/docs/b.pdf", "/docs/locked.pdf", "/docs/shy-plain.pdf",
                                     "/docs/sub2/z.pdf"}));
    EXPECT_EQ(h.window.pointerKind, PointerKind::Default);
}

TEST_F(AddFolderTest, AFileThatVanishesAfterTheListingIsReportedAt132AndAppended)
{
    h.fileSystem.afterList = [this](const std::string& folder, const std::string& pattern) {
        if (folder == Native("/docs/sub2") && pattern == "*.pdf")
            h.fileSystem.remove(Native("/docs/sub2/z.pdf"));
    };
    h.dialogs.folderResults = {Native("/docs/sub2")};
    h.form.PushButton3_Click();
    EXPECT_EQ(reportedLines(), std::vector<int>{132});
    EXPECT_EQ(h.rows(), NativePaths({"/docs/sub2/z.pdf"}));
}

// Add All and drops alike: every file's attributes are read between turns of the event loop, a
// few hundred at a time at most, and the stretch that appends the rows reads none.
TEST_F(AddFolderTest, FilesAreJudgedWithTheWindowAnsweringAndTheRowsFollowInOneGo)
{
    h.fileSystem.addFolder(Native("/many"));
    for (int i = 0; i < 1000; ++i)
        h.fileSystem.addFile(Native("/many/f" + std::to_string(1000 + i) + ".pdf"));
    std::size_t readsSinceTurn = 0;
    std::size_t longestStretch = 0;
    h.pump.onTurn = [&] { readsSinceTurn = 0; };
    h.fileSystem.onStatus = [&](const std::string&) { longestStretch = std::max(longestStretch, ++readsSinceTurn); };

    h.dialogs.folderResults = {Native("/many")};
    h.form.PushButton3_Click();
    h.form.ListView1_OLEDragDrop({Native("/many")});

    ASSERT_EQ(h.rows().size(), 2000u);
    EXPECT_EQ(h.rows().front(), Native("/many/f1000.pdf"));
    EXPECT_EQ(h.rows()[999], Native("/many/f1999.pdf"));
    EXPECT_EQ(h.rows().back(), Native("/many/f1999.pdf"));
    EXPECT_LE(longestStretch, kFilesBetweenTurns);
}

TEST_F(AddFolderTest, OtherActionsMayRunWhileTheTreeIsCollected)
{
    bool added = false;
    h.pump.onTurn = [&] {
        if (!added) {
            added = true;
            h.form.fileList().append(Native("/during.pdf"));
        }
    };
    h.dialogs.folderResults = {Native("/docs/sub1")};
    h.form.PushButton3_Click();
    EXPECT_EQ(h.rows(), NativePaths({"/during.pdf", "/docs/sub1/y.pdf", "/docs/sub1/deep/x.pdf"}));
}

// Once the event loop has ended (the window closed) a walk over a folder tree stops at the
// turn it meets the end: it adds no row, and the loop takes no further turn.
TEST_F(AddFolderTest, AFolderWalkStopsWhereTheEventLoopEnds)
{
    struct Walk {
        const char* name;
        std::function<void(FormHarness&)> start;
    };
    const Walk walks[] = {
        {"Add All", [](FormHarness& run) { run.form.PushButton3_Click(); }},
        {"a dropped folder", [](FormHarness& run) { run.form.ListView1_OLEDragDrop({Native("/docs")}); }},
    };
    for (const Walk& walk : walks) {
        for (const int end : {1, 2, 5}) {
            h.dialogs.folderResults = {Native("/docs")};
            h.pump.turns = 0;
            h.pump.loopEnded = false;
            h.pump.onTurn = [&] { h.pump.loopEnded = h.pump.turns == end; };
            walk.start(h);
            EXPECT_EQ(h.pump.turns, end) << walk.name;
            EXPECT_TRUE(h.rows().empty()) << walk.name;
        }
    }
}

}  // namespace
}  // namespace pv::testing
