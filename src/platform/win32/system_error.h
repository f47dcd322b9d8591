#pragma once

#include <windows.h>

#include <string>

#include "platform/failure.h"

namespace pv::win32 {

// A Failure for a Windows error number: `action`, the system's text for the error, and the
// number itself as the code.
Failure SystemFailure(const std::string& action, DWORD error);

}  // namespace pv::win32
