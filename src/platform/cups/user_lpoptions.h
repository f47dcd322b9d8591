#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace pv {

// The user's own CUPS options file, ~/.cups/lpoptions, which holds the user's default printer.
std::filesystem::path UserLpoptionsPath();

// The default ("queue" or "queue/instance") that the user's options file names, read without
// asking the scheduler; none when the file is missing or names no default.
std::optional<std::string> ReadUserDefaultPrinter();

// Rewrites the user's options file so that `name` ("queue" or "queue/instance") is the
// default, as `lpoptions -d` would, but without asking the scheduler: the former default
// keeps its options as an ordinary line, every other line stays as it was, byte for byte. An
// empty name leaves the file naming no default. The name is not checked against the installed
// printers. The file is replaced whole or not at all, even by a power cut. Throws Failure when
// the file cannot be written.
void WriteUserDefaultPrinter(const std::string& name);

}  // namespace pv
