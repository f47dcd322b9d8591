#pragma once

#include <string>
#include <string_view>

namespace pv::win32 {

// The core's text as the UTF-16 of the Windows calls, and back. Text from Windows reaches the
// core as WTF-8 (platform/portable/wtf8.h), so that a name holding a lone surrogate goes back to the
// system unchanged. Embedded NULs are kept.
std::wstring Wide(std::string_view text);
std::string Utf8(std::wstring_view text);

}  // namespace pv::win32
