#pragma once

#include <string>

#include <QCursor>

namespace pv {

// A pointer made from a cursor (.cur) or icon (.ico) file at `path` (native form). A cursor
// keeps the hotspot stored in the file; an icon points with its centre. Throws Failure
// ("Invalid picture", kInvalidPicture) when the file is missing, unreadable, truncated, not
// a regular file (a named pipe is never opened) or not a cursor or icon picture. Needs a
// running QGuiApplication.
//
// Of a file with several images, the one that fits `devicePixelRatio` (the widget's, device
// pixels per logical pixel) is shown at the first image's size; at a ratio of 1 that is the
// first image itself, as the file would show with one image only.
QCursor LoadCursorFile(const std::string& path, double devicePixelRatio);

}  // namespace pv
