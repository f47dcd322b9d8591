#pragma once

#include <windows.h>

#include <optional>

namespace pv::win32 {

// When the running process `id` started, in 100 ns steps since 1601; nothing for an id that
// names no running process. With the id it tells a process from a later one given the same id.
std::optional<unsigned long long> ProcessStart(DWORD id);

}  // namespace pv::win32
