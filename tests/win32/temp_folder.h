#pragma once

#include <string>
#include <string_view>

namespace pv::testing {

// A fresh folder in the Windows temporary folder for one test, removed with everything in
// it (read-only entries and paths beyond MAX_PATH included) when the object goes. Paths are
// UTF-8, in the Windows form.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& root() const { return root_; }
    // The root, "\", and `relative`.
    std::string path(std::string_view relative) const;

    // Each creates the missing folders above it.
    void folder(std::string_view relative) const;
    void file(std::string_view relative, std::string_view content = {}) const;
    // Adds attribute bits (FILE_ATTRIBUTE_*) to an entry.
    void addAttributes(std::string_view relative, unsigned long attributes) const;

private:
    std::string root_;
};

}  // namespace pv::testing
