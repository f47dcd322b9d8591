#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/portable/switch_record.h"

namespace pv::printer_guard {

// What the program tells its printer guard through a pipe whose only writer it is: records of a
// kind letter, a printer name (printer names hold no NUL) and a NUL. First the default that a
// run replaces, then each printer a run makes the default, last that the default is back. The
// guard answers the first record with one byte once it is watching.
inline constexpr char kReplaced = 'D';
inline constexpr char kWatch = 'W';
inline constexpr char kDone = 'X';
inline constexpr char kWatching = 'R';

std::string Record(char kind, const std::string& name = {});

// The guard program's watch. `readSome` gives the next bytes the program wrote, or an empty
// text once the pipe has no writer left: the program has ended. Gives nothing once the program
// says the default is back, or when it ended before a run's switch; else what it told: the
// replaced default and the printers its runs set, the program itself named in none.
std::optional<switch_record::SwitchRecord> WatchProgram(const std::function<std::string()>& readSome,
                                                        const std::function<void()>& sayWatching);

}  // namespace pv::printer_guard
