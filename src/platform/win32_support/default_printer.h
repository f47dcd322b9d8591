#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace pv::win32 {

// The default printer's name, or nothing when Windows has none. Throws the system's failure
// when it cannot be read.
std::optional<std::wstring> CurrentDefaultPrinter();

}  // namespace pv::win32
