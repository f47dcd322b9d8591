#include <sys/stat.h>
#include <unistd.h>

#include "contract/file_system_contract.h"
#include "platform/posix/posix_file_system.h"
#include "temp_tree.h"

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
    void unreadableFolder(const std::string& name)
    {
        folder(name + "/inner");
        file(name + "/inside.pdf");
        chmod(tree_.path(name).c_str(), 0);
    }

private:
    // Linux has no hidden attribute: a name that begins with "." is hidden, and only that.
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
