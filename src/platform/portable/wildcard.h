#pragma once

#include <string_view>

namespace pv {

// Windows file-name matching: "*" any run of characters, "?" any one character, letters
// compared without regard to case (ASCII), "*.*" matches every name, with or without a dot.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

}  // namespace pv
