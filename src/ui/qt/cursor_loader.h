#pragma once

#include <string>

#include <QCursor>

namespace pv {

// A pointer made from a cursor (.cur) or icon (.ico) file at `path` (native form). A cursor
// keeps the hotspot stored in the file; an icon points with its centre. Throws Failure
// ("Invalid picture", kInvalidPicture) when the file is missing, unreadable, truncated, not
// a regular file (a named pipe is never opened) or not a cursor or icon picture. Needs a
// running QGuiApplication.
QCursor LoadCursorFile(const std::string& path);

}  // namespace pv
