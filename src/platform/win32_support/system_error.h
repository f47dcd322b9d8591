#pragma once

#include <windows.h>

#include <string>

#include "failure/failure.h"

namespace pv::win32 {

// The system's text for a Windows error number, on one line; empty when the system has none.
std::string SystemErrorText(DWORD error);

// A Failure for a Windows error number: `action`, the system's text for the error, and the
// number itself as the code.
Failure SystemFailure(const std::string& action, DWORD error);

}  // namespace pv::win32
