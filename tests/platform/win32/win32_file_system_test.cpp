#include <windows.h>
#include <gmock/gmock.h>

#include "platform/portable/folder_walk.h"
#include "platform/win32/win32_event_pump.h"
#include "platform/win32/win32_file_system.h"
#include "support/contract/file_system_contract.h"
#include "support/temp_tree.h"

namespace pv::testing {
namespace {

using ::testing::ElementsAre;

constexpr char kUnicodeName[] = "\xc3\x9c"
                                "bung \xe6\x97\xa5\xe6\x9c\xac.pdf";  // "Übung 日本.pdf"

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"b.pdf", "A.PDF", "c.txt", "_under.pdf", kUnicodeName, "sub.pdf\\x"})
            tree.file(name, "bee");
        for (const auto& [name, attribute] :
             {std::pair("hidden.pdf", FILE_ATTRIBUTE_HIDDEN), std::pair("system.pdf", FILE_ATTRIBUTE_SYSTEM),
              std::pair("readonly.pdf", FILE_ATTRIBUTE_READONLY)}) {
            tree.file(name);
            tree.addAttributes(name, attribute);
        }
    }

    TempTree tree;
    Win32FileSystem fileSystem;
};

TEST_F(Win32FileSystemTest, ListsWhatTheFilterAsksForInTheSystemsOrder)
{
    EXPECT_THAT(fileSystem.list(tree.root(), "*.pdf", {}),
                ElementsAre("A.PDF", "b.pdf", "readonly.pdf", "_under.pdf", kUnicodeName));
    EXPECT_THAT(fileSystem.list(tree.root() + "\\", "*.*", {.includeFolders = true, .includeHiddenAndSystem = true}),
                ElementsAre("A.PDF", "b.pdf", "c.txt", "hidden.pdf", "readonly.pdf", "sub.pdf", "system.pdf",
                            "_under.pdf", kUnicodeName));
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

class Win32FileSystemWorld {
public:
    FileSystem& fileSystem() { return fileSystem_; }
    const std::string& root() const { return tree_.root(); }

    void folder(const std::string& name, EntryTraits traits = {})
    {
        tree_.folder(name);
        tree_.addAttributes(name, attributes(traits));
    }
    void file(const std::string& name, EntryTraits traits = {}, const std::string& content = {})
    {
        tree_.file(name, content);
        tree_.addAttributes(name, attributes(traits));
    }
    // Wine lets the user list every folder, whatever its security descriptor says.
    bool unreadableFolder(const std::string&) { return false; }
    // As Windows does; Wine makes the same match without 8.3 names.
    static constexpr bool kShortNamesMatch = true;
    static std::string hiddenName(const std::string& stem) { return stem; }

private:
    static unsigned long attributes(EntryTraits traits)
    {
        return (traits.hidden ? FILE_ATTRIBUTE_HIDDEN : 0) | (traits.readOnly ? FILE_ATTRIBUTE_READONLY : 0);
    }

    TempTree tree_;
    Win32FileSystem fileSystem_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32FileSystemWorld);

}  // namespace
}  // namespace pv::testing
