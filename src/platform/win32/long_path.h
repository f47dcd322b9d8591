#pragma once

#include <string>

namespace pv::win32 {

// `path` in the UTF-16 form the file-system calls take: unchanged while it is short, and for
// MAX_PATH characters or more (where the plain calls fail) the full path in its extended
// "\\?\" form, which reaches any length the file system allows.
std::wstring SystemPath(const std::string& path);

// The extended form of `path` whatever its length: made full (relative parts and "/"
// resolved as the plain calls would), then prefixed "\\?\" or, for a share, "\\?\UNC\".
std::wstring ExtendedPath(const std::wstring& path);

}  // namespace pv::win32
