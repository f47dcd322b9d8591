#pragma once

#include <string>

namespace pv::testing {

// The command line that starts the test child program (beside this test program, its path
// quoted) with `arguments`.
std::string ChildCommand(const std::string& arguments);

}  // namespace pv::testing
