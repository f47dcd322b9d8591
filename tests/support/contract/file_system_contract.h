#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "services/file_system.h"
#include "services/path_style.h"

namespace pv::testing {

// What a FileSystem promises the core, run against the fake and the real one alike.
//
// A World sets up entries in an empty folder of its own and gives the file system under test:
//   FileSystem& fileSystem();
//   std::string root();   // that folder's path, without a trailing separator
//   void folder(const std::string& name, EntryTraits traits = {});
//   void file(const std::string& name, EntryTraits traits = {}, const std::string& content = {});
//   void unreadableFolder(const std::string& name);  // holds a file and a folder, lists nothing
// Hidden entries are given names that begin with "." (the only hidden names on Linux).
struct EntryTraits {
    bool hidden = false;
    bool readOnly = false;
};

template <class World>
class FileSystemContract : public ::testing::Test {
protected:
    using Names = std::vector<std::string>;
    static constexpr ListingFilter kFiles{};
    static constexpr ListingFilter kVisible{.includeFolders = true};
    static constexpr ListingFilter kEverything{.includeFolders = true, .includeHiddenAndSystem = true};

    std::string path(const std::string& name) { return world.root() + kPathSeparator + name; }
    Names list(const std::string& folder, const std::string& pattern, ListingFilter filter)
    {
        return world.fileSystem().list(folder, pattern, filter);
    }
    std::uint32_t attributesOf(const std::string& name)
    {
        const auto status = world.fileSystem().status(path(name));
        return status ? status->attributes : 0xFFFFFFFFu;
    }

    World world;
};

TYPED_TEST_SUITE_P(FileSystemContract);

// Upper-cased ordinal order: "_" (0x5F) comes after the upper-cased letters, which neither a
// plain byte order ("b" last) nor a lower-cased one ("_" first) would give.
TYPED_TEST_P(FileSystemContract, ListsInUpperCasedOrdinalOrder)
{
    for (const char* name : {"b.pdf", "_x.pdf", "C.pdf", "A.PDF"})
        this->world.file(name);
    EXPECT_EQ(this->list(this->world.root(), "*", this->kFiles),
              (typename TestFixture::Names{"A.PDF", "b.pdf", "C.pdf", "_x.pdf"}));
}

TYPED_TEST_P(FileSystemContract, PatternsMatchWithoutRegardToCase)
{
    using Expected = typename TestFixture::Names;
    for (const char* name : {"a.PDF", "b.pdf", "c.txt", "notes", "d.pdfx"})
        this->world.file(name);
    const std::string root = this->world.root();
    EXPECT_EQ(this->list(root, "*.pdf", this->kFiles), (Expected{"a.PDF", "b.pdf"}));
    EXPECT_EQ(this->list(root, "*.PdF", this->kFiles), (Expected{"a.PDF", "b.pdf"}));
    EXPECT_EQ(this->list(root, "*.*", this->kFiles), (Expected{"a.PDF", "b.pdf", "c.txt", "d.pdfx", "notes"}));
    EXPECT_EQ(this->list(root, "*", this->kFiles), (Expected{"a.PDF", "b.pdf", "c.txt", "d.pdfx", "notes"}));
    EXPECT_EQ(this->list(root, "B.PDF", this->kFiles), (Expected{"b.pdf"}));
    EXPECT_EQ(this->list(root, "?.txt", this->kFiles), (Expected{"c.txt"}));
    EXPECT_EQ(this->list(root, "none.pdf", this->kFiles), Expected{});
}

TYPED_TEST_P(FileSystemContract, FiltersChooseFilesFoldersAndHiddenEntries)
{
    using Expected = typename TestFixture::Names;
    this->world.file("f.txt");
    this->world.file("ro.pdf", {.readOnly = true});
    this->world.file(".h", {.hidden = true});
    this->world.folder("sub");
    this->world.folder(".hd", {.hidden = true});
    const std::string root = this->world.root();
    EXPECT_EQ(this->list(root, "*", this->kFiles), (Expected{"f.txt", "ro.pdf"}));
    EXPECT_EQ(this->list(root, "*", this->kVisible), (Expected{"f.txt", "ro.pdf", "sub"}));
    EXPECT_EQ(this->list(root, "*.*", this->kEverything), (Expected{".h", ".hd", "f.txt", "ro.pdf", "sub"}));
    EXPECT_EQ(this->list(root, "*", {.includeHiddenAndSystem = true}), (Expected{".h", "f.txt", "ro.pdf"}));
    EXPECT_EQ(this->list(root, "*", {.includeFolders = true, .includeFiles = false}), (Expected{"sub"}));
    EXPECT_EQ(this->list(root, "*", {.includeFolders = true, .includeHiddenAndSystem = true, .includeFiles = false}),
              (Expected{".hd", "sub"}));
}

// The core walks trees that may hold anything: a folder it cannot list contributes nothing,
// and nothing is thrown.
TYPED_TEST_P(FileSystemContract, AFolderThatCannotBeListedListsNothing)
{
    this->world.file("f.txt");
    this->world.unreadableFolder("locked");
    for (const std::string& folder : {this->path("absent"), this->path("locked"), this->path("f.txt")}) {
        EXPECT_EQ(this->list(folder, "*", this->kEverything), typename TestFixture::Names{}) << folder;
        EXPECT_EQ(this->list(folder + kPathSeparator, "*", this->kEverything), typename TestFixture::Names{}) << folder;
    }
    EXPECT_EQ(this->attributesOf("locked") & attr::kDirectory, attr::kDirectory) << "it still has a status";
}

TYPED_TEST_P(FileSystemContract, AFolderMayEndInASeparator)
{
    this->world.folder("sub");
    this->world.file("f.txt");
    const std::string root = this->world.root();
    EXPECT_EQ(this->list(root + kPathSeparator, "*", this->kVisible), (typename TestFixture::Names{"f.txt", "sub"}));
    EXPECT_EQ(this->attributesOf(std::string("sub") + kPathSeparator), attr::kDirectory);
}

TYPED_TEST_P(FileSystemContract, StatusGivesAttributesAndIdentity)
{
    this->world.file("f.txt");
    this->world.file("ro.pdf", {.readOnly = true});
    this->world.file(".h", {.hidden = true});
    this->world.folder("sub");
    this->world.folder(".hd", {.hidden = true});
    EXPECT_EQ(this->attributesOf("f.txt"), attr::kArchive);
    EXPECT_EQ(this->attributesOf("ro.pdf"), attr::kArchive | attr::kReadOnly);
    EXPECT_EQ(this->attributesOf(".h"), attr::kArchive | attr::kHidden);
    EXPECT_EQ(this->attributesOf("sub"), attr::kDirectory);
    EXPECT_EQ(this->attributesOf(".hd"), attr::kDirectory | attr::kHidden);

    FileSystem& fileSystem = this->world.fileSystem();
    const auto file = fileSystem.status(this->path("f.txt"));
    const auto again = fileSystem.status(this->path("f.txt"));
    const auto other = fileSystem.status(this->path("sub"));
    ASSERT_TRUE(file && again && other);
    EXPECT_EQ(std::pair(file->device, file->inode), std::pair(again->device, again->inode));
    EXPECT_NE(std::pair(file->device, file->inode), std::pair(other->device, other->inode));
}

TYPED_TEST_P(FileSystemContract, WhatDoesNotExistHasNoStatus)
{
    this->world.file("f.txt");
    FileSystem& fileSystem = this->world.fileSystem();
    EXPECT_FALSE(fileSystem.status(this->path("absent")));
    EXPECT_FALSE(fileSystem.status(this->path("absent") + kPathSeparator + "f.txt"));
    // A file is no folder: a path through it, or ending in a separator after it, is nothing.
    EXPECT_FALSE(fileSystem.status(this->path("f.txt") + kPathSeparator));
    EXPECT_FALSE(fileSystem.status(this->path("f.txt") + kPathSeparator + "x"));
}

TYPED_TEST_P(FileSystemContract, ReadsWholeFilesUpToTheLimit)
{
    this->world.file("f.txt", {}, "12345");
    this->world.file("empty.txt");
    this->world.file("ro.pdf", {.readOnly = true}, "%PDF");
    this->world.folder("sub");
    FileSystem& fileSystem = this->world.fileSystem();
    EXPECT_EQ(fileSystem.readFile(this->path("f.txt"), 5), "12345");
    EXPECT_EQ(fileSystem.readFile(this->path("f.txt"), 100), "12345");
    EXPECT_EQ(fileSystem.readFile(this->path("f.txt"), 4), std::nullopt);
    EXPECT_EQ(fileSystem.readFile(this->path("empty.txt"), 0), "");
    EXPECT_EQ(fileSystem.readFile(this->path("ro.pdf"), 10), "%PDF");
    EXPECT_EQ(fileSystem.readFile(this->path("absent"), 10), std::nullopt);
    EXPECT_EQ(fileSystem.readFile(this->path("sub"), 10), std::nullopt) << "a folder is no file";
    EXPECT_EQ(fileSystem.readFile(this->path("f.txt") + kPathSeparator, 10), std::nullopt);
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, ListsInUpperCasedOrdinalOrder, PatternsMatchWithoutRegardToCase,
                            FiltersChooseFilesFoldersAndHiddenEntries, AFolderThatCannotBeListedListsNothing,
                            AFolderMayEndInASeparator, StatusGivesAttributesAndIdentity, WhatDoesNotExistHasNoStatus,
                            ReadsWholeFilesUpToTheLimit);

}  // namespace pv::testing
