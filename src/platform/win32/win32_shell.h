#pragma once

#include "services/processes.h"
#include "services/shell.h"

namespace pv {

// The Windows shell. Special folders come from SHGetSpecialFolderLocation; a 64-bit build
// answers the Program Files folder with the one that 32-bit programs see, where the 32-bit
// reader is installed, and the native one with the 64-bit programs' folder. Registered
// program paths are the default values of App Paths' keys in HKEY_LOCAL_MACHINE, the 64-bit
// registry view first. A folder opens with ShellExecuteW; a web address opens in the file
// manager, started as "explorer" with the address in double quotes, minimised with focus.
class Win32Shell final : public Shell {
public:
    explicit Win32Shell(Processes& processes) : processes_(processes) {}

    std::string specialFolderPath(int folderNumber) override;
    std::string nativeProgramFilesPath() override;
    std::vector<std::string> registeredProgramPaths(const std::string& programName) override;
    void openFolder(const std::string& folder) override;
    void openAddress(const std::string& address) override;

private:
    Processes& processes_;
};

}  // namespace pv
