#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "support/contract/file_system_contract.h"
#include "support/temp_tree.h"

namespace {

using pv::ListingFilter;
using pv::PosixFileSystem;
using pv::testing::TempTree;
using Names = std::vector<std::string>;
namespace attr = pv::attr;

constexpr ListingFilter kFilesOnly{};
constexpr ListingFilter kVisible{.includeFolders = true, .includeHiddenAndSystem = false};
constexpr ListingFilter kEverything{.includeFolders = true, .includeHiddenAndSystem = true};

std::uint32_t AttributesOf(PosixFileSystem& fileSystem, const std::string& path)
{
    const auto status = fileSystem.status(path);
    return status ? status->attributes : 0xFFFFFFFFu;
}

// A folder, a plain, a hidden and a read-only file, a hidden folder, a FIFO, links to a
// folder and to a file, and a dangling link.
class PosixFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.folder("sub");
        tree.file("sub/inner.txt");
        tree.file("f.txt");
        tree.file(".h");
        tree.folder(".hd");
        tree.file("locked.pdf");
        chmod(tree.path("locked.pdf").c_str(), 0444);
        tree.fifo("pipe");
        tree.link("lnkdir", "sub");
        tree.link("lnkfile", "f.txt");
        tree.link("dangling", "nowhere");
    }

    TempTree tree;
    PosixFileSystem fileSystem;
};

TEST_F(PosixFileSystemTest, FiltersDecideWhichEntriesAreListed)
{
    const std::string& root = tree.root();
    EXPECT_EQ(fileSystem.list(root, "*", kFilesOnly), (Names{"f.txt", "lnkfile", "locked.pdf"}));
    EXPECT_EQ(fileSystem.list(root, "*", kVisible), (Names{"f.txt", "lnkdir", "lnkfile", "locked.pdf", "sub"}));
    EXPECT_EQ(fileSystem.list(root + "/", "*.*", kEverything),
              (Names{".h", ".hd", "f.txt", "lnkdir", "lnkfile", "locked.pdf", "sub"}));
    EXPECT_EQ(fileSystem.list(root, "*", {.includeFolders = false, .includeHiddenAndSystem = true}),
              (Names{".h", "f.txt", "lnkfile", "locked.pdf"}));
    EXPECT_EQ(
        fileSystem.list(root, "*", {.includeFolders = true, .includeHiddenAndSystem = true, .includeFiles = false}),
        (Names{".hd", "lnkdir", "sub"}));
}

TEST_F(PosixFileSystemTest, PatternWithoutWildcardsFindsThatOneName)
{
    EXPECT_EQ(fileSystem.list(tree.root(), "F.TXT", kFilesOnly), (Names{"f.txt"}));
    EXPECT_EQ(fileSystem.list(tree.root(), "sub", kVisible), (Names{"sub"}));
    EXPECT_EQ(fileSystem.list(tree.root(), "sub", kFilesOnly), Names{});
    EXPECT_EQ(fileSystem.list(tree.root(), "pipe", kEverything), Names{});
}

TEST_F(PosixFileSystemTest, MissingOrNonFolderListsNothing)
{
    EXPECT_TRUE(fileSystem.list(tree.path("absent"), "*", kEverything).empty());
    EXPECT_TRUE(fileSystem.list(tree.path("f.txt"), "*", kEverything).empty());
    EXPECT_TRUE(fileSystem.list(tree.path("pipe"), "*", kEverything).empty());
}

TEST_F(PosixFileSystemTest, StatusMapsModesOntoAttributes)
{
    EXPECT_EQ(AttributesOf(fileSystem, tree.path("sub")), attr::kDirectory);
    EXPECT_EQ(AttributesOf(fileSystem, tree.path("sub/")), attr::kDirectory);
    EXPECT_EQ(AttributesOf(fileSystem, tree.path("f.txt")), attr::kArchive);
    EXPECT_EQ(AttributesOf(fileSystem, tree.path(".h")), attr::kArchive | attr::kHidden);
    EXPECT_EQ(AttributesOf(fileSystem, tree.path(".hd")), attr::kDirectory | attr::kHidden);
    EXPECT_EQ(AttributesOf(fileSystem, tree.path("locked.pdf")), attr::kArchive | attr::kReadOnly);
    EXPECT_EQ(AttributesOf(fileSystem, tree.path("pipe")), 0u);
    EXPECT_EQ(AttributesOf(fileSystem, tree.path("sub/..")), attr::kDirectory);
    EXPECT_FALSE(fileSystem.status(tree.path("dangling")));
    EXPECT_FALSE(fileSystem.status(tree.path("absent")));
}

TEST_F(PosixFileSystemTest, StatusFollowsLinks)
{
    const auto link = fileSystem.status(tree.path("lnkdir"));
    const auto target = fileSystem.status(tree.path("sub"));
    ASSERT_TRUE(link && target);
    EXPECT_EQ(link->attributes, attr::kDirectory);
    EXPECT_EQ(link->device, target->device);
    EXPECT_EQ(link->inode, target->inode);
    EXPECT_EQ(AttributesOf(fileSystem, tree.path("lnkfile")), attr::kArchive);
}

TEST_F(PosixFileSystemTest, ReadFileKeepsBytesAndHonoursTheCap)
{
    const std::string content("%PDF\0binary\xff", 12);
    tree.file("data.pdf", content);
    EXPECT_EQ(fileSystem.readFile(tree.path("data.pdf"), content.size()), content);
    EXPECT_FALSE(fileSystem.readFile(tree.path("data.pdf"), content.size() - 1));
    EXPECT_EQ(fileSystem.readFile(tree.path("f.txt"), 0), "");
    EXPECT_FALSE(fileSystem.readFile(tree.path("absent"), 100));
    EXPECT_FALSE(fileSystem.readFile(tree.path("sub"), 100));
    EXPECT_FALSE(fileSystem.readFile(tree.path("pipe"), 100));  // returns at once, no writer needed
}

TEST(PosixFileSystemOrder, UpperCasedOrdinalThenRawBytes)
{
    TempTree tree;
    for (const char* name : {"b", "A", "a", "_x", "B.pdf", "a.pdf", "Z", "[", "ab"})
        tree.file(name);
    PosixFileSystem fileSystem;
    EXPECT_EQ(fileSystem.list(tree.root(), "*", kFilesOnly),
              (Names{"A", "a", "a.pdf", "ab", "b", "B.pdf", "Z", "[", "_x"}));
}

TEST(PosixFileSystemNames, AnyByteANameMayHoldComesBackUnchanged)
{
    TempTree tree;
    const Names names{"-dash.pdf", "back\\slash.pdf", "it's.pdf",       "new\nline.pdf", "quote\"d.pdf",
                      "star*.pdf", "what?.pdf",       "with space.pdf", "\xff\xfe.pdf"};
    for (const std::string& name : names)
        tree.file(name, name);
    PosixFileSystem fileSystem;
    EXPECT_EQ(fileSystem.list(tree.root(), "*.pdf", kFilesOnly), names);
    for (const std::string& name : names) {
        EXPECT_EQ(AttributesOf(fileSystem, tree.path(name)), attr::kArchive) << name;
        EXPECT_EQ(fileSystem.readFile(tree.path(name), 100), name);
    }
}

// Makes a chain of folders whose path is longer than PATH_MAX, below `root`; returns its path.
std::string MakeDeepChain(const std::string& root)
{
    const std::string name(200, 'd');
    std::string path = root;
    int folder = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (path.size() <= PATH_MAX + 500) {
        EXPECT_EQ(mkdirat(folder, name.c_str(), 0755), 0);
        const int inner = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(folder);
        folder = inner;
        path += "/" + name;
    }
    EXPECT_EQ(mkdirat(folder, "inner", 0755), 0);
    const int file = openat(folder, "deep.pdf", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    EXPECT_EQ(write(file, "deep", 4), 4);
    close(file);
    close(folder);
    return path;
}

TEST(PosixFileSystemLongPaths, PathsBeyondPathMaxWork)
{
    TempTree tree;
    const std::string deep = MakeDeepChain(tree.root());
    ASSERT_GT(deep.size(), static_cast<std::size_t>(PATH_MAX));
    PosixFileSystem fileSystem;
    EXPECT_EQ(fileSystem.list(deep, "*", kVisible), (Names{"deep.pdf", "inner"}));
    EXPECT_EQ(fileSystem.list(deep + "//", "*.pdf", kFilesOnly), (Names{"deep.pdf"}));
    EXPECT_EQ(AttributesOf(fileSystem, deep + "/deep.pdf"), attr::kArchive);
    EXPECT_EQ(AttributesOf(fileSystem, deep + "/inner/"), attr::kDirectory);
    EXPECT_EQ(fileSystem.readFile(deep + "/deep.pdf", 10), "deep");
    EXPECT_FALSE(fileSystem.status(deep + "/absent"));
    EXPECT_FALSE(fileSystem.status(tree.root() + "/" + std::string(PATH_MAX, 'x')));
}

TEST(PosixFileSystemAccess, FolderWithoutReadPermissionListsNothing)
{
    TempTree tree;
    tree.file("locked/inside.pdf");
    chmod(tree.root().c_str(), 0755);
    chmod(tree.path("locked").c_str(), 0);
    // Root reads any folder, so the check runs in a child that gives up its privileges.
    EXPECT_EXIT(
        {
            pv::testing::DropPrivileges();
            PosixFileSystem fileSystem;
            const bool ok = fileSystem.list(tree.path("locked"), "*", kEverything).empty() &&
                            !fileSystem.status(tree.path("locked/inside.pdf")) &&
                            AttributesOf(fileSystem, tree.path("locked")) == attr::kDirectory + attr::kReadOnly;
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace

namespace pv::testing {
namespace {

// Runs every call as the user "nobody" when the tests run as root, whom no permission bit
// keeps out of a folder; the tree is open to everyone but the unreadable folders.
class AsUnprivilegedUser final : public FileSystem {
public:
    std::vector<std::string> list(const std::string& folder, const std::string& pattern, ListingFilter filter) override
    {
        return run([&] { return inner_.list(folder, pattern, filter); });
    }
    std::optional<FileStatus> status(const std::string& path) override
    {
        return run([&] { return inner_.status(path); });
    }
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override
    {
        return run([&] { return inner_.readFile(path, maxBytes); });
    }

private:
    template <class Call>
    static auto run(Call&& call) -> decltype(call())
    {
        if (geteuid() != 0)
            return call();
        constexpr uid_t kNobody = 65534;
        struct Regain {
            ~Regain()
            {
                if (seteuid(0) != 0 || setegid(0) != 0)
                    std::abort();
            }
        };
        if (setegid(kNobody) != 0)
            std::abort();
        const Regain regain;
        if (seteuid(kNobody) != 0)
            std::abort();
        return call();
    }

    PosixFileSystem inner_;
};

class PosixFileSystemWorld {
public:
    PosixFileSystemWorld() { chmod(root().c_str(), 0755); }

    FileSystem& fileSystem() { return fileSystem_; }
    const std::string& root() const { return tree_.root(); }

    void folder(const std::string& name, EntryTraits traits = {})
    {
        requireHiddenName(name, traits);
        tree_.folder(name);
        chmod(tree_.path(name).c_str(), traits.readOnly ? 0555 : 0755);
    }
    void file(const std::string& name, EntryTraits traits = {}, const std::string& content = {})
    {
        requireHiddenName(name, traits);
        tree_.file(name, content);
        chmod(tree_.path(name).c_str(), traits.readOnly ? 0444 : 0644);
    }
    bool unreadableFolder(const std::string& name)
    {
        folder(name + "/inner");
        file(name + "/inside.pdf");
        chmod(tree_.path(name).c_str(), 0);
        return true;
    }
    static constexpr bool kShortNamesMatch = false;
    // Linux has no hidden attribute: a name that begins with "." is hidden, and only that.
    static std::string hiddenName(const std::string& stem) { return "." + stem; }

private:
    static void requireHiddenName(const std::string& name, EntryTraits traits)
    {
        ASSERT_EQ(name.substr(name.rfind('/') + 1).starts_with('.'), traits.hidden) << name;
    }

    TempTree tree_;
    AsUnprivilegedUser fileSystem_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Posix, FileSystemContract, PosixFileSystemWorld);

}  // namespace
}  // namespace pv::testing
