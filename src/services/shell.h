#pragma once

#include <string>

namespace pv {

// Special folder numbers the program asks for.
inline constexpr int kProgramFilesFolder = 38;

// The desktop shell: special folders and opening things for the user.
class Shell {
public:
    virtual ~Shell() = default;

    // The path of a special folder without a trailing separator, or an empty text when the
    // shell cannot supply it.
    virtual std::string specialFolderPath(int folderNumber) = 0;

    // Shows `folder` in the desktop's file manager. The outcome is not reported.
    virtual void openFolder(const std::string& folder) = 0;

    // Opens a web address in the desktop's browser, without waiting. Throws Failure when the
    // opener cannot be started.
    virtual void openAddress(const std::string& address) = 0;
};

}  // namespace pv
