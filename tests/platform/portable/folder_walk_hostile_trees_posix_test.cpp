// The folder walk on trees a hostile or careless user may hand it: ten thousand folders
// deep, two hundred thousand entries in one folder, names that are not UTF-8 or as long as
// a name may be, entries that vanish and folders that become unreadable while the walk runs.
// The walk must end, list every file that stays readable, and keep turning the event loop.
//
// The two big trees are in the suite HostileTreesLarge, so that a gtest filter can pick them
// out or leave them out; they run in CI with the rest.

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "fakes/fake_event_pump.h"
#include "platform/portable/folder_walk.h"
#include "platform/posix/posix_file_system.h"
#include "support/temp_tree.h"

namespace {

using pv::CollectSubfolders;
using pv::FolderList;
using pv::ListTreeFiles;
using pv::PosixFileSystem;
using pv::testing::FakeEventPump;
using pv::testing::TempTree;
using Paths = std::vector<std::string>;

// Runs `work` on a thread whose stack is `bytes` large, and waits for it. A walk that needs
// more stack than that crashes the test.
void RunOnStackOf(std::size_t bytes, const std::function<void()>& work)
{
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, bytes), 0);
    pthread_t thread;
    const auto run = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)), 0);
    pthread_attr_destroy(&attributes);
    pthread_join(thread, nullptr);
}

// A fresh folder for a big tree, removed with everything in it at the end. It lives in memory
// (/dev/shm) where the system offers that: on a disk mounted with "discard", removing ten
// thousand folders takes half a minute and creating two hundred thousand files six seconds.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern =
            access("/dev/shm", W_OK) == 0 ? "/dev/shm/pressvale-big-XXXXXX" : "/tmp/pressvale-big-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a scratch folder");
        root_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& root() const { return root_; }

private:
    std::string root_;
};

void CreateFileAt(int folder, const std::string& name, const std::string& content = {})
{
    const int file = openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(file, 0) << name;
    EXPECT_EQ(write(file, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    close(file);
}

// Writes `content` to the file at `path`, making the folders above it.
void WriteFile(const std::string& path, const std::string& content = {})
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// Unlinks every entry of the open folder `folder` that is not itself a folder.
void RemoveFilesIn(int folder)
{
    std::vector<std::string> names;
    if (DIR* directory = fdopendir(dup(folder))) {
        while (const dirent* entry = readdir(directory)) {
            if (entry->d_type != DT_DIR)
                names.emplace_back(entry->d_name);
        }
        closedir(directory);
    }
    for (const std::string& name : names)
        unlinkat(folder, name.c_str(), 0);
}

// A chain of `depth` folders, each named `folderName`, below `top`, with the file `fileName`
// (holding its own path) at every level. Built and removed through folder descriptors, one
// level at a time, so that neither the path length nor the number of open descriptors grows
// with the depth.
class DeepChain {
public:
    DeepChain(std::string top, int depth, std::string folderName, const std::string& fileName)
        : top_(std::move(top)),
          depth_(depth),
          folderName_(std::move(folderName))
    {
        int folder = open(top_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        std::string path = top_;
        for (int level = 0;; ++level) {
            files_.push_back(path + "/" + fileName);
            CreateFileAt(folder, fileName, files_.back());
            if (level == depth_)
                break;
            EXPECT_EQ(mkdirat(folder, folderName_.c_str(), 0755), 0);
            const int inner = openat(folder, folderName_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            close(folder);
            folder = inner;
            path += "/" + folderName_;
        }
        close(folder);
        bottom_ = path;
    }

    ~DeepChain()
    {
        int folder = open(top_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int level = 0;
        for (; level < depth_; ++level) {
            const int inner = openat(folder, folderName_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (inner < 0)
                break;
            close(folder);
            folder = inner;
        }
        for (; level >= 0; --level) {
            RemoveFilesIn(folder);
            if (level == 0)
                break;
            const int parent = openat(folder, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            close(folder);
            folder = parent;
            unlinkat(folder, folderName_.c_str(), AT_REMOVEDIR);
        }
        close(folder);
    }

    DeepChain(const DeepChain&) = delete;
    DeepChain& operator=(const DeepChain&) = delete;

    // The file of every level, top first.
    const Paths& files() const { return files_; }
    const std::string& bottom() const { return bottom_; }

private:
    std::string top_;
    int depth_;
    std::string folderName_;
    std::string bottom_;
    Paths files_;
};

// `paths` without those not in `kept`, order kept.
Paths OnlyThoseIn(const Paths& paths, const std::set<std::string>& kept)
{
    Paths left;
    std::copy_if(paths.begin(), paths.end(), std::back_inserter(left),
                 [&](const std::string& path) { return kept.contains(path); });
    return left;
}

TEST(HostileTreesLarge, TenThousandFoldersDeepAreWalkedToTheBottomOnASmallStack)
{
    constexpr int kDepth = 10000;
    ScratchFolder scratch;
    const DeepChain chain(scratch.root(), kDepth, "d", "f.pdf");
    ASSERT_GT(chain.bottom().size(), 4 * static_cast<std::size_t>(PATH_MAX));

    PosixFileSystem fileSystem;
    FakeEventPump pump;
    Paths files;
    // 1 MiB, the stack of a Windows program's main thread.
    RunOnStackOf(1 << 20, [&] { files = ListTreeFiles(fileSystem, pump, scratch.root(), "*.pdf"); });
    EXPECT_EQ(files, chain.files());
}

TEST(HostileTreesLarge, TwoHundredThousandEntriesInOneFolder)
{
    // 199,800 files and 200 folders, one file in each, the folders' names among the files'.
    constexpr int kEntries = 200000;
    constexpr int kFolderEvery = 1000;
    ScratchFolder scratch;
    Paths rootFiles;
    Paths folderFiles;
    const int root = open(scratch.root().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    char name[32];
    for (int i = 0; i < kEntries; ++i) {
        if (i % kFolderEvery == kFolderEvery / 2) {
            std::snprintf(name, sizeof name, "entry-%06d", i);
            ASSERT_EQ(mkdirat(root, name, 0755), 0);
            const int folder = openat(root, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            CreateFileAt(folder, "inner.pdf");
            close(folder);
            folderFiles.push_back(scratch.root() + "/" + name + "/inner.pdf");
        } else {
            std::snprintf(name, sizeof name, "entry-%06d.pdf", i);
            CreateFileAt(root, name);
            rootFiles.push_back(scratch.root() + "/" + name);
        }
    }
    close(root);
    Paths expected = rootFiles;
    expected.insert(expected.end(), folderFiles.begin(), folderFiles.end());

    PosixFileSystem fileSystem;
    FakeEventPump pump;
    FolderList folders{scratch.root() + "/"};
    CollectSubfolders(fileSystem, pump, folders, true);
    EXPECT_EQ(folders.size(), 1u + kEntries / kFolderEvery);
    EXPECT_EQ(ListTreeFiles(fileSystem, pump, scratch.root(), "*.pdf"), expected);
}

TEST(HostileTrees, NamesThatAreNotUtf8OrAsLongAsANameMayBeReachTheirFiles)
{
    TempTree tree;
    // Bytes no UTF-8 decoder accepts, and names of NAME_MAX (255) bytes once ".pdf" is added.
    std::string accents;
    for (int i = 0; i < 125; ++i)
        accents += "\xc3\xa9";
    const Paths names{
        "\xff\xfe",                     // a UTF-16 byte-order mark
        "caf\xe9",                      // Latin-1
        "\x80lone continuation",        // a continuation byte with nothing before it
        "cut short \xe2\x82",           // a sequence that stops half-way
        "\xc0\xaf overlong slash",      // an overlong "/"
        "\xed\xa0\x80 surrogate",       // a UTF-16 surrogate written as UTF-8
        "\x1b[31mred\x1b[0m \x01\x7f",  // terminal escapes and control bytes
        std::string(251, 'n'),          // plain ASCII
        std::string(251, '\xe9'),       // none of the bytes UTF-8
        accents + "x",                  // 125 two-byte letters
    };
    std::map<std::string, int> expected;
    for (const std::string& name : names) {
        tree.file(name + ".pdf", tree.path(name + ".pdf"));
        tree.file(name + "/" + name + ".pdf", tree.path(name + "/" + name + ".pdf"));
        ++expected[tree.path(name + ".pdf")];
        ++expected[tree.path(name + "/" + name + ".pdf")];
    }
    // Twenty levels of 255-byte folder names that are not UTF-8: paths beyond PATH_MAX.
    const DeepChain chain(tree.path(names[1]), 20, std::string(255, '\xfe'), std::string(251, '\xe9') + ".pdf");
    ASSERT_GT(chain.bottom().size(), static_cast<std::size_t>(PATH_MAX));
    for (const std::string& path : chain.files())
        ++expected[path];

    PosixFileSystem fileSystem;
    FakeEventPump pump;
    const Paths files = ListTreeFiles(fileSystem, pump, tree.root(), "*.pdf");
    std::map<std::string, int> listed;
    for (const std::string& path : files) {
        ++listed[path];
        // Each path leads to its own file, byte for byte.
        EXPECT_EQ(fileSystem.readFile(path, 1 << 16), path);
    }
    EXPECT_EQ(listed, expected);
    // Folders come level by level: the chain's bottom file is the last of all.
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.back(), chain.files().back());
}

// A second thread deletes half the tree while the walk runs, and puts links to the top of
// the tree where folders were: the walk must end and list every file that stays, once each,
// in the order an undisturbed walk gives them. Each round spreads the deletions differently
// over the walk: they follow its count of event-loop turns, and the walk does not wait for them.
TEST(HostileTrees, EntriesVanishingWhileTheWalkRuns)
{
    constexpr int kUnits = 30;
    for (const long turnsPerUnit : {2, 8, 16, 28}) {
        ScratchFolder scratch;
        const auto at = [&](const std::string& relative) { return scratch.root() + "/" + relative; };
        std::set<std::string> stays;
        for (int unit = 0; unit < kUnits; ++unit) {
            const std::string keep = "keep-" + std::to_string(unit);
            const std::string gone = "gone-" + std::to_string(unit);
            for (int i = 0; i < 10; ++i) {
                WriteFile(at(keep + "/k" + std::to_string(i) + ".pdf"));
                stays.insert(at(keep + "/k" + std::to_string(i) + ".pdf"));
                WriteFile(at(keep + "/x" + std::to_string(i) + ".pdf"));
                WriteFile(at(gone + "/sub/g" + std::to_string(i) + ".pdf"));
            }
        }
        PosixFileSystem fileSystem;
        FakeEventPump pump;
        const Paths undisturbed = OnlyThoseIn(ListTreeFiles(fileSystem, pump, scratch.root(), "*.pdf"), stays);
        ASSERT_EQ(undisturbed.size(), stays.size());

        std::atomic<long> turns{0};
        std::atomic<bool> walkEnded{false};
        std::atomic<bool> deleting{true};
        std::thread deleter([&] {
            for (int unit = 0; unit < kUnits; ++unit) {
                while (turns < unit * turnsPerUnit && !walkEnded)
                    std::this_thread::yield();
                std::error_code ignored;
                const std::string gone = at("gone-" + std::to_string(unit));
                std::filesystem::remove_all(gone, ignored);
                if (unit % 3 == 0)
                    symlink(scratch.root().c_str(), gone.c_str());
                for (int i = 0; i < 10; ++i)
                    std::filesystem::remove(at("keep-" + std::to_string(unit) + "/x" + std::to_string(i) + ".pdf"),
                                            ignored);
            }
            deleting = false;
        });
        // Each turn gives the deleting thread a moment, as a window's event handling would.
        pump.onTurn = [&] {
            ++turns;
            if (deleting)
                std::this_thread::sleep_for(std::chrono::microseconds(50));
        };
        const Paths files = ListTreeFiles(fileSystem, pump, scratch.root(), "*.pdf");
        walkEnded = true;
        deleter.join();

        EXPECT_EQ(OnlyThoseIn(files, stays), undisturbed) << turnsPerUnit << " turns a unit";
        std::map<std::string, int> listed;
        for (const std::string& path : files)
            ++listed[path];
        for (const auto& [path, count] : listed)
            EXPECT_EQ(count, 1) << path;
    }
}

// The real file system, with a hook after every listing.
class WatchedFileSystem final : public pv::FileSystem {
public:
    std::vector<std::string> list(const std::string& folder, const std::string& pattern,
                                  pv::ListingFilter filter) override
    {
        std::vector<std::string> names = real_.list(folder, pattern, filter);
        if (afterListing)
            afterListing(folder, filter);
        return names;
    }
    std::optional<pv::FileStatus> status(const std::string& path) override { return real_.status(path); }
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override
    {
        return real_.readFile(path, maxBytes);
    }

    std::function<void(const std::string& folder, pv::ListingFilter filter)> afterListing;

private:
    PosixFileSystem real_;
};

// Folders lose their permissions while the walk runs: one after the walk has found it and
// before it lists it, one after it has been collected and before its files are listed, and
// one keeps its names readable but its entries out of reach (no search permission). None of
// them contributes a file. Root reads any folder, so the walk runs in a child that has given
// the tree to an unprivileged user and become that user.
TEST(HostileTrees, FoldersBecomingUnreadableWhileTheWalkRuns)
{
    TempTree tree;
    for (const char* file : {"a.pdf", "late/l.pdf", "late/deeper/ld.pdf", "namesonly/n.pdf", "namesonly/sub/ns.pdf",
                             "open/o.pdf", "open/deeper/od.pdf", "shut/s.pdf", "shut/inner/si.pdf"})
        tree.file(file);
    if (geteuid() == 0) {
        constexpr uid_t kNobody = 65534;
        ASSERT_EQ(lchown(tree.root().c_str(), kNobody, kNobody), 0);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(tree.root()))
            ASSERT_EQ(lchown(entry.path().c_str(), kNobody, kNobody), 0);
    }
    const auto at = [&](const char* relative) { return tree.path(relative); };

    const auto walkAsThatUser = [&] {
        pv::testing::DropPrivileges();
        WatchedFileSystem fileSystem;
        fileSystem.afterListing = [&](const std::string& folder, pv::ListingFilter filter) {
            if (folder == tree.root() + "/" && filter.includeFolders) {
                chmod(at("shut").c_str(), 0);
                chmod(at("namesonly").c_str(), 0444);
            }
            if (folder == at("late/") && filter.includeFiles)
                chmod(at("late/deeper").c_str(), 0);
        };
        FakeEventPump pump;
        const Paths files = ListTreeFiles(fileSystem, pump, tree.root(), "*.pdf");
        const Paths expected{at("a.pdf"), at("late/l.pdf"), at("open/o.pdf"), at("open/deeper/od.pdf")};
        for (const std::string& file : files)
            std::fprintf(stderr, "listed %s\n", file.c_str());
        std::exit(files == expected ? 0 : 1);
    };
    EXPECT_EXIT(walkAsThatUser(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
