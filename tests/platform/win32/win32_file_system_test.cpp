#include <windows.h>
#include <gmock/gmock.h>

#include "platform/portable/folder_walk.h"
#include "platform/win32/win32_event_pump.h"
#include "platform/win32/win32_file_system.h"
#include "support/temp_folder.h"

namespace pv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kUnicodeName[] = "\xc3\x9c"
                                "bung \xe6\x97\xa5\xe6\x9c\xac.pdf";  // "Übung 日本.pdf"

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"b.pdf", "A.PDF", "c.txt", "_under.pdf", kUnicodeName, "sub.pdf\\x"})
            tree.file(name, "bee");
        tree.file("hidden.pdf", "", FILE_ATTRIBUTE_HIDDEN);
        tree.file("system.pdf", "", FILE_ATTRIBUTE_SYSTEM);
        tree.file("readonly.pdf", "", FILE_ATTRIBUTE_READONLY);
    }

    testing::TempFolder tree;
    Win32FileSystem fileSystem;
};

TEST_F(Win32FileSystemTest, ListsWhatTheFilterAsksForInTheSystemsOrder)
{
    EXPECT_THAT(fileSystem.list(tree.root(), "*.pdf", {}),
                ElementsAre("A.PDF", "b.pdf", "readonly.pdf", "_under.pdf", kUnicodeName));
    EXPECT_THAT(fileSystem.list(tree.root() + "\\", "*.*", {.includeFolders = true, .includeHiddenAndSystem = true}),
                ElementsAre("A.PDF", "b.pdf", "c.txt", "hidden.pdf", "readonly.pdf", "sub.pdf", "system.pdf",
                            "_under.pdf", kUnicodeName));
    EXPECT_THAT(fileSystem.list(tree.root(), "*", {.includeFolders = true, .includeFiles = false}),
                ElementsAre("sub.pdf"));
    EXPECT_THAT(fileSystem.list(tree.root(), "B.PDF", {}), ElementsAre("b.pdf"));
    EXPECT_THAT(fileSystem.list(tree.path("missing"), "*", {.includeFolders = true}), IsEmpty());
    EXPECT_THAT(fileSystem.list(tree.path("b.pdf"), "*", {.includeFolders = true}), IsEmpty());
}

TEST_F(Win32FileSystemTest, StatusGivesTheSystemsAttributesAndAnIdentityPerEntry)
{
    EXPECT_EQ(fileSystem.status(tree.path("b.pdf"))->attributes, FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(fileSystem.status(tree.path("hidden.pdf"))->attributes, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(fileSystem.status(tree.path("readonly.pdf"))->attributes,
              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(fileSystem.status(tree.path("missing.pdf")));

    // One folder however it is spelled, and another one apart from it.
    const auto folder = fileSystem.status(tree.path("sub.pdf"));
    const auto sameFolder = fileSystem.status(tree.path("SUB.PDF\\"));
    const auto otherFolder = fileSystem.status(tree.root());
    ASSERT_TRUE(folder && sameFolder && otherFolder);
    EXPECT_EQ(folder->attributes, FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(std::pair(folder->device, folder->inode), std::pair(sameFolder->device, sameFolder->inode));
    EXPECT_NE(std::pair(folder->device, folder->inode), std::pair(otherFolder->device, otherFolder->inode));

    EXPECT_EQ(fileSystem.readFile(tree.path("b.pdf"), 3), "bee");
    EXPECT_FALSE(fileSystem.readFile(tree.path("b.pdf"), 2));
    EXPECT_FALSE(fileSystem.readFile(tree.path("sub.pdf"), 100));
}

TEST_F(Win32FileSystemTest, PathsBeyondMaxPathWithAnyNamesWork)
{
    const std::string level(100, 'x');
    const std::string folder =
        tree.path(level + "\\" + level + "\\" + level + "\\\xce\xb1\xce\xb2\xce\xb3 \xe6\x96\x87");
    tree.file(folder.substr(tree.root().size() + 1) + "\\long.pdf", "long content");
    ASSERT_GT(folder.size(), 300u);

    EXPECT_THAT(fileSystem.list(folder, "*.pdf", {}), ElementsAre("long.pdf"));
    EXPECT_EQ(fileSystem.status(folder + "\\long.pdf")->attributes, FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(fileSystem.readFile(folder + "\\long.pdf", 100), "long content");
}

TEST_F(Win32FileSystemTest, AWalkEndsWhereALinkLeadsBackIntoTheTree)
{
    const std::string root = PRESSVALE_LINK_LOOP_TREE "\\";
    ASSERT_THAT(fileSystem.list(root + "a\\b", "*", {.includeFolders = true}), ElementsAre("back"));
    Win32EventPump eventPump;
    FolderList folders{root};
    CollectSubfolders(fileSystem, eventPump, folders, true);
    EXPECT_THAT(folders, ElementsAre(root, root + "a\\", root + "a\\b\\"));
}

}  // namespace
}  // namespace pv
