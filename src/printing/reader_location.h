#pragma once

#include <array>
#include <string>
#include <vector>

#include "services/event_pump.h"
#include "services/file_system.h"
#include "services/shell.h"

namespace pv {

// The reader's program names, in the order they are preferred: the 32-bit Reader's, then the
// one today's Reader and every Acrobat install.
inline constexpr std::array<const char*, 2> kReaderNames{"AcroRd32.exe", "Acrobat.exe"};

// The path of a special folder, or an empty text when the shell cannot supply it.
std::string SpecialFolderPath(Shell& shell, int folderNumber);

// The first file named exactly as each of `fileNames` (letter case included) among the programs
// of the tree under `root`, in walk order: the root's own files first, shallower folders before
// deeper ones; an empty text for a name not found. The walk stops at the first file of the
// first name.
std::vector<std::string> FindFilesInTree(FileSystem& fileSystem, EventPump& eventPump, const std::string& root,
                                         const std::vector<std::string>& fileNames);

// The reader to print with. First `AcroRd32.exe` below the "Adobe" folder of `programFiles`,
// the Program Files folder the program has always searched. Only where that finds none, one
// more tree, the "Adobe" folder of the native Program Files where that is another folder, and
// then each name of kReaderNames in turn: its first copy in the first tree, then in the
// second; last, the paths the system keeps registered for each name, where a file is there.
// An empty text when there is none.
std::string FindReader(Shell& shell, FileSystem& fileSystem, EventPump& eventPump, const std::string& programFiles);

}  // namespace pv
