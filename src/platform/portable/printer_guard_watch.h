#pragma once

#include <functional>
#include <string>

#include "services/printers.h"

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

// The guard program's whole work. `readSome` gives the next bytes the program wrote, or an
// empty text once the pipe has no writer left: the program has ended. Returns touching nothing
// once the program says the default is back; when the program ends without saying so after a
// run's switch, puts the replaced default back through `printers`, while the default is one the
// runs set, the replaced one itself, or cannot be read (a changed default left behind is what
// the guard is there to prevent), and returns.
void WatchProgram(const std::function<std::string()>& readSome, const std::function<void()>& sayWatching,
                  Printers& printers);

}  // namespace pv::printer_guard
