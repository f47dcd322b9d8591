#pragma once

#include "services/processes.h"
#include "services/shell.h"

namespace pv {

// The Windows shell. Special folders come from SHGetSpecialFolderLocation; a 64-bit build
// answers the Program Files folder with the one that 32-bit programs see, where the 32-bit
// reader is installed. A folder opens with ShellExecuteW; a web address opens in the file
// manager, started as "explorer" with the address in double quotes, minimised with focus.
class Win32Shell final : public Shell {
public:
    explicit Win32Shell(Processes& processes) : processes_(processes) {}

    std::string specialFolderPath(int folderNumber) override;
    void openFolder(const std::string& folder) override;
    void openAddress(const std::string& address) override;

private:
    Processes& processes_;
};

}  // namespace pv
