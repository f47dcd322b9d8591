#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/fake_event_pump.h"
#include "platform/portable/folder_walk.h"
#include "platform/posix/posix_file_system.h"
#include "support/temp_tree.h"

namespace {

using pv::CollectSubfolders;
using pv::FolderList;
using pv::ListMatchingFiles;
using pv::ListTreeFiles;
using pv::testing::FakeEventPump;
using pv::testing::TempTree;
using Paths = std::vector<std::string>;

// The real file system seen from below `prefix` (so that "/" can stand for a folder of the
// test), with a hook at every listing.
class PrefixedFileSystem final : public pv::FileSystem {
public:
    std::vector<std::string> list(const std::string& folder, const std::string& pattern,
                                  pv::ListingFilter filter) override
    {
        if (onList)
            onList(folder);
        return real.list(prefix + folder, pattern, filter);
    }
    std::optional<pv::FileStatus> status(const std::string& path) override { return real.status(prefix + path); }
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override
    {
        return real.readFile(prefix + path, maxBytes);
    }

    std::string prefix;
    std::function<void(const std::string&)> onList;
    pv::PosixFileSystem real;
};

class FolderWalkTest : public ::testing::Test {
protected:
    // Three levels of folders, files at each, a hidden folder, "~" names and a capital ".PDF".
    void MakeTree()
    {
        tree.file("top.pdf");
        tree.file("~lock.pdf");
        tree.file("notes.txt");
        tree.file("a/UPPER.PDF");
        tree.file("a/.hidden.pdf");
        tree.file("a/~tmp.pdf");
        tree.file("a/x~.pdf");
        tree.file("a/a1/a1x/deepest.pdf");
        tree.folder("a/a1/A1y");
        tree.file("a/a1/deep.pdf");
        tree.folder("B/B1");
        tree.folder("B/B2/B2x");
        tree.file("B/B2/b.pdf");
        tree.file(".secret/in.pdf");
        tree.file(".secret/inner/in.pdf");
    }

    std::string at(const std::string& relative) const { return tree.path(relative); }

    TempTree tree;
    pv::PosixFileSystem fileSystem;
    FakeEventPump pump;
};

TEST_F(FolderWalkTest, LevelsComeBreadthFirstGroupedByParent)
{
    MakeTree();
    FolderList folders{at("")};
    CollectSubfolders(fileSystem, pump, folders, true);
    EXPECT_EQ(folders, (Paths{at(""), at("a/"), at("B/"), at("a/a1/"), at("B/B1/"), at("B/B2/"), at("a/a1/a1x/"),
                              at("a/a1/A1y/"), at("B/B2/B2x/")}));

    FolderList shallow{at("")};
    CollectSubfolders(fileSystem, pump, shallow, false);
    EXPECT_EQ(shallow, (Paths{at(""), at("a/"), at("B/")}));

    // Several starting entries stay first, in place; a leaf adds nothing; a folder beneath two
    // of them comes under each.
    FolderList several{at("B/"), at("a/a1/a1x/"), at("a/")};
    CollectSubfolders(fileSystem, pump, several, true);
    EXPECT_EQ(several, (Paths{at("B/"), at("a/a1/a1x/"), at("a/"), at("B/B1/"), at("B/B2/"), at("a/a1/"),
                              at("B/B2/B2x/"), at("a/a1/a1x/"), at("a/a1/A1y/")}));
}

TEST_F(FolderWalkTest, TreeFilesSkipTildeNamesAndHiddenFolders)
{
    MakeTree();
    EXPECT_EQ(ListTreeFiles(fileSystem, pump, tree.root(), "*.pdf"),
              (Paths{at("top.pdf"), at("a/.hidden.pdf"), at("a/UPPER.PDF"), at("a/x~.pdf"), at("a/a1/deep.pdf"),
                     at("B/B2/b.pdf"), at("a/a1/a1x/deepest.pdf")}));
    EXPECT_EQ(ListTreeFiles(fileSystem, pump, at("absent"), "*.*"), Paths{});
}

TEST_F(FolderWalkTest, MatchingFilesIncludeHiddenAndTildeNamesButNoFolders)
{
    MakeTree();
    const Paths expected{".hidden.pdf", "UPPER.PDF", "x~.pdf", "~tmp.pdf"};
    EXPECT_EQ(ListMatchingFiles(fileSystem, at("a"), "*.pdf"), expected);
    EXPECT_EQ(ListMatchingFiles(fileSystem, at("a/"), "*.pdf"), expected);
    EXPECT_EQ(ListMatchingFiles(fileSystem, tree.root(), "*.*"), (Paths{"notes.txt", "top.pdf", "~lock.pdf"}));
}

TEST_F(FolderWalkTest, RootEntersWithDoubledSeparator)
{
    MakeTree();
    PrefixedFileSystem rooted;
    rooted.prefix = tree.root();
    const Paths paths = ListTreeFiles(rooted, pump, "/", "*.pdf");
    EXPECT_EQ(paths, (Paths{"//top.pdf", "//a/.hidden.pdf", "//a/UPPER.PDF", "//a/x~.pdf", "//a/a1/deep.pdf",
                            "//B/B2/b.pdf", "//a/a1/a1x/deepest.pdf"}));
}

TEST_F(FolderWalkTest, LinksAreWalkedLikeFoldersAndOnlyLoopsAreStopped)
{
    TempTree outside;
    outside.file("o.pdf");
    tree.file("a/b/b.pdf");
    tree.file("c/c.pdf");
    tree.link("a/b/up", "../..");        // to the root: a loop
    tree.link("a/self", ".");            // to itself: a loop
    tree.link("a/b/side", "../../c");    // to a sibling: walked again
    tree.link("a/gone", "nowhere");      // dangling: no folder
    tree.link("a/out", outside.root());  // outside, twice: walked each time
    tree.link("c/out2", outside.root());
    // Were the loop guard broken, the walk would grow without end: stop it with a failure.
    pump.onTurn = [&] {
        if (pump.turns > 10000)
            throw std::runtime_error("the walk does not end: a link back into the tree is followed");
    };

    FolderList folders{at("")};
    CollectSubfolders(fileSystem, pump, folders, true);
    EXPECT_EQ(folders, (Paths{at(""), at("a/"), at("c/"), at("a/b/"), at("a/out/"), at("c/out2/"), at("a/b/side/"),
                              at("a/b/side/out2/")}));
    EXPECT_EQ(ListTreeFiles(fileSystem, pump, tree.root(), "*.pdf"),
              (Paths{at("c/c.pdf"), at("a/b/b.pdf"), at("a/out/o.pdf"), at("c/out2/o.pdf"), at("a/b/side/c.pdf"),
                     at("a/b/side/out2/o.pdf")}));

    // A link as the starting entry counts as the folder it leads to: the link back to it
    // from below is a loop.
    FolderList viaLink{at("a/b/up/")};
    CollectSubfolders(fileSystem, pump, viaLink, true);
    EXPECT_EQ(viaLink, (Paths{at("a/b/up/"), at("a/b/up/a/"), at("a/b/up/c/"), at("a/b/up/a/b/"), at("a/b/up/a/out/"),
                              at("a/b/up/c/out2/"), at("a/b/up/a/b/side/"), at("a/b/up/a/b/side/out2/")}));
}

TEST_F(FolderWalkTest, UnreadableFolderContributesNothing)
{
    tree.file("z.pdf");
    tree.file("open/x.pdf");
    tree.file("locked/y.pdf");
    tree.file("locked/sub/w.pdf");
    chmod(tree.root().c_str(), 0755);
    chmod(at("locked").c_str(), 0);
    // Root reads any folder, so the walk runs in a child that gives up its privileges.
    EXPECT_EXIT(
        {
            pv::testing::DropPrivileges();
            const Paths paths = ListTreeFiles(fileSystem, pump, tree.root(), "*.pdf");
            std::exit(paths == Paths{at("z.pdf"), at("open/x.pdf")} ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(FolderWalkTest, AnyFolderNameIsWalked)
{
    const Paths names{"back\\slash", "new\nline", "q\"uote", "star*", "what?", "with space", "\xff\xfe"};
    Paths expected;
    for (const std::string& name : names) {
        tree.file(name + "/" + name + ".pdf");
        expected.push_back(at(name + "/" + name + ".pdf"));
    }
    EXPECT_EQ(ListTreeFiles(fileSystem, pump, tree.root(), "*.pdf"), expected);
}

TEST_F(FolderWalkTest, YieldsWhileCollectingAndAppendsOnlyAtTheEnd)
{
    MakeTree();
    PrefixedFileSystem watched;
    FolderList folders{at("")};
    std::vector<std::size_t> sizesWhileListing;
    watched.onList = [&](const std::string&) { sizesWhileListing.push_back(folders.size()); };
    CollectSubfolders(watched, pump, folders, true);

    EXPECT_EQ(sizesWhileListing, std::vector<std::size_t>(folders.size(), 1));
    EXPECT_GE(pump.turns, 15);  // at least one per listing and one per listed name
}

TEST_F(FolderWalkTest, FolderThatVanishesDuringTheWalkIsPassedOver)
{
    MakeTree();
    pump.onTurn = [&] { std::filesystem::remove_all(at("B")); };
    EXPECT_EQ(ListTreeFiles(fileSystem, pump, tree.root(), "*.pdf"),
              (Paths{at("top.pdf"), at("a/.hidden.pdf"), at("a/UPPER.PDF"), at("a/x~.pdf"), at("a/a1/deep.pdf"),
                     at("a/a1/a1x/deepest.pdf")}));
}

}  // namespace
