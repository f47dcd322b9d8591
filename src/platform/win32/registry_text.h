#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace pv::win32 {

// The text value `name` (nullptr: the key's default value) of an open registry key: REG_SZ,
// or REG_EXPAND_SZ with its environment strings expanded. Nothing when it is missing or not
// text.
std::optional<std::wstring> RegistryText(HKEY key, const wchar_t* name);

}  // namespace pv::win32
