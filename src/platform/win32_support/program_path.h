#pragma once

#include <string>

namespace pv::win32 {

// The full path of the running program's own file.
std::wstring ProgramPath();

}  // namespace pv::win32
