#pragma once

#include <string>
#include <string_view>

namespace pv::win32 {

// The core's UTF-8 as the UTF-16 of the Windows calls, and back. Embedded NULs are kept.
std::wstring Wide(std::string_view text);
std::string Utf8(std::wstring_view text);

}  // namespace pv::win32
