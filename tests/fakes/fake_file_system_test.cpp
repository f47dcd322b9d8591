#include "fakes/fake_file_system.h"
#include "support/contract/file_system_contract.h"

namespace pv::testing {
namespace {

class FakeFileSystemWorld {
public:
    FakeFileSystemWorld() { fake_.addFolder(root()); }

    FileSystem& fileSystem() { return fake_; }
    std::string root() const { return std::string(1, kPathSeparator) + "world"; }

    void folder(const std::string& name, EntryTraits traits = {})
    {
        fake_.addFolder(path(name), attr::kDirectory | bits(traits));
    }
    void file(const std::string& name, EntryTraits traits = {}, const std::string& content = {})
    {
        fake_.addFile(path(name), attr::kArchive | bits(traits), content);
    }
    bool unreadableFolder(const std::string& name)
    {
        folder(name);
        file(name + kPathSeparator + "inside.pdf");
        folder(name + kPathSeparator + "inner");
        fake_.unreadableFolders.insert(path(name));
        return true;
    }
    // The fake hides by attribute alone.
    static constexpr bool kShortNamesMatch = false;
    static std::string hiddenName(const std::string& stem) { return stem; }

private:
    std::string path(const std::string& name) const { return root() + kPathSeparator + name; }
    static std::uint32_t bits(EntryTraits traits)
    {
        return (traits.hidden ? attr::kHidden : 0) | (traits.readOnly ? attr::kReadOnly : 0);
    }

    FakeFileSystem fake_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, FileSystemContract, FakeFileSystemWorld);

}  // namespace
}  // namespace pv::testing
