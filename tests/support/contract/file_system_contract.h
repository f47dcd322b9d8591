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
//   bool unreadableFolder(const std::string& name);  // holds a file and a folder, lists nothing;
//                                                    // false where the system cannot make one
//   std::string hiddenName(const std::string& stem); // how the system names a hidden entry
//   static constexpr bool kShortNamesMatch;          // a pattern also matches a name's 8.3 form
//                                                    // ("*.pdf" finds "d.pdfx" through D~1.PDF)
// Hidden entries take the names hiddenName gives: Linux hides the names that begin with "."
// (and only those), Windows hides by an attribute whatever the name.
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
    // The stems sort before "f" with or without a leading ".", so that each system lists its
    // hidden entries in the same places.
    std::string hidden(const std::string& stem) { return world.hiddenName(stem); }
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
    const Expected pdfs =
        TypeParam::kShortNamesMatch ? Expected{"a.PDF", "b.pdf", "d.pdfx"} : Expected{"a.PDF", "b.pdf"};
    EXPECT_EQ(this->list(root, "*.pdf", this->kFiles), pdfs);
    EXPECT_EQ(this->list(root, "*.PdF", this->kFiles), pdfs);
    EXPECT_EQ(this->list(root, "*.*", this->kFiles), (Expected{"a.PDF", "b.pdf", "c.txt", "d.pdfx", "notes"}));
    EXPECT_EQ(this->list(root, "*", this->kFiles), (Expected{"a.PDF", "b.pdf", "c.txt", "d.pdfx", "notes"}));
    EXPECT_EQ(this->list(root, "B.PDF", this->kFiles), (Expected{"b.pdf"}));
    EXPECT_EQ(this->list(root, "?.txt", this->kFiles), (Expected{"c.txt"}));
    EXPECT_EQ(this->list(root, "none.pdf", this->kFiles), Expected{});
}

TYPED_TEST_P(FileSystemContract, FiltersChooseFilesFoldersAndHiddenEntries)
{
    using Expected = typename TestFixture::Names;
    const std::string hiddenFile = this->hidden("a");
    const std::string hiddenFolder = this->hidden("ad");
    this->world.file("f.txt");
    this->world.file("ro.pdf", {.readOnly = true});
    this->world.file(hiddenFile, {.hidden = true});
    this->world.folder("sub");
    this->world.folder(hiddenFolder, {.hidden = true});
    const std::string root = this->world.root();
    EXPECT_EQ(this->list(root, "*", this->kFiles), (Expected{"f.txt", "ro.pdf"}));
    EXPECT_EQ(this->list(root, "*", this->kVisible), (Expected{"f.txt", "ro.pdf", "sub"}));
    EXPECT_EQ(this->list(root, "*.*", this->kEverything),
              (Expected{hiddenFile, hiddenFolder, "f.txt", "ro.pdf", "sub"}));
    EXPECT_EQ(this->list(root, "*", {.includeHiddenAndSystem = true}), (Expected{hiddenFile, "f.txt", "ro.pdf"}));
    EXPECT_EQ(this->list(root, "*", {.includeFolders = true, .includeFiles = false}), (Expected{"sub"}));
    EXPECT_EQ(this->list(root, "*", {.includeFolders = true, .includeHiddenAndSystem = true, .includeFiles = false}),
              (Expected{hiddenFolder, "sub"}));
}

// The core walks trees that may hold anything: a folder it cannot list contributes nothing,
// and nothing is thrown.
TYPED_TEST_P(FileSystemContract, AFolderThatCannotBeListedListsNothing)
{
    this->world.file("f.txt");
    std::vector<std::string> folders{this->path("absent"), this->path("f.txt")};
    const bool locked = this->world.unreadableFolder("locked");
    if (locked)
        folders.push_back(this->path("locked"));
    for (const std::string& folder : folders) {
        EXPECT_EQ(this->list(folder, "*", this->kEverything), typename TestFixture::Names{}) << folder;
        EXPECT_EQ(this->list(folder + kPathSeparator, "*", this->kEverything), typename TestFixture::Names{}) << folder;
    }
    if (locked) {
        EXPECT_EQ(this->attributesOf("locked") & attr::kDirectory, attr::kDirectory) << "it still has a status";
    }
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
    this->world.file(this->hidden("a"), {.hidden = true});
    this->world.folder("sub");
    this->world.folder(this->hidden("ad"), {.hidden = true});
    EXPECT_EQ(this->attributesOf("f.txt"), attr::kArchive);
    EXPECT_EQ(this->attributesOf("ro.pdf"), attr::kArchive | attr::kReadOnly);
    EXPECT_EQ(this->attributesOf(this->hidden("a")), attr::kArchive | attr::kHidden);
    EXPECT_EQ(this->attributesOf("sub"), attr::kDirectory);
    EXPECT_EQ(this->attributesOf(this->hidden("ad")), attr::kDirectory | attr::kHidden);

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
