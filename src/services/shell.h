#pragma once

#include <string>
#include <vector>

namespace pv {

// Special folder numbers the program asks for.
inline constexpr int kProgramFilesFolder = 38;

// The desktop shell: special folders, where programs are installed, and opening things for
// the user.
class Shell {
public:
    virtual ~Shell() = default;

    // The path of a special folder without a trailing separator, or an empty text when the
    // shell cannot supply it.
    virtual std::string specialFolderPath(int folderNumber) = 0;

    // The Program Files folder of programs built for the machine's own processor (on 64-bit
    // Windows the one 64-bit programs install in), without a trailing separator; the same as
    // special folder 38 where the system has one kind of program; an empty text when the
    // shell cannot supply it.
    virtual std::string nativeProgramFilesPath() = 0;

    // The full paths the system keeps registered for starting the program file
    // `programName` (Windows' App Paths, in each registry view), none where it keeps none.
    // Whether a file is there is not checked.
    virtual std::vector<std::string> registeredProgramPaths(const std::string& programName) = 0;

    // Shows `folder` in the desktop's file manager. The outcome is not reported.
    virtual void openFolder(const std::string& folder) = 0;

    // Opens a web address in the desktop's browser, without waiting. Throws Failure when the
    // opener cannot be started.
    virtual void openAddress(const std::string& address) = 0;
};

}  // namespace pv
