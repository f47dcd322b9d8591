#pragma once

#include <string>
#include <vector>

#include "services/shell.h"

namespace pv {

// Special folders and opening things through the desktop's opener (QDesktopServices).
// The program folder is where the binary lives, <prefix>/bin; Program Files is
// <prefix>/libexec, where the reader stand-in is installed: the one place programs are found,
// as Linux has one kind of program and keeps no register of program paths.
class QtShell final : public Shell {
public:
    // The program folder of the running binary.
    QtShell();
    // A given program folder, as native bytes without a trailing "/".
    explicit QtShell(std::string programFolder) : programFolder_(std::move(programFolder)) {}

    std::string specialFolderPath(int folderNumber) override;
    std::string nativeProgramFilesPath() override;
    std::vector<std::string> registeredProgramPaths(const std::string& programName) override;
    void openFolder(const std::string& folder) override;
    void openAddress(const std::string& address) override;

private:
    std::string programFolder_;
};

}  // namespace pv
