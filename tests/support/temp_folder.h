#pragma once

#include <string>
#include <string_view>

namespace pv::testing {

// A fresh folder in the Windows temporary folder, removed with everything in it (read-only
// entries and paths beyond MAX_PATH included) when the object goes. Paths are UTF-8.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& root() const { return root_; }
    std::string path(std::string_view relative) const { return root_ + "\\" + std::string(relative); }
    // Makes the file and the folders above it, then adds the FILE_ATTRIBUTE_* bits given.
    void file(std::string_view relative, std::string_view content = {}, unsigned long attributes = 0) const;

private:
    std::string root_;
};

}  // namespace pv::testing
