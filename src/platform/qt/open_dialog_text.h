#pragma once

#include <cstddef>
#include <string>

#include <QString>
#include <QStringList>

namespace pv {

// The pure parts of the open-file dialog and the folder picker, kept apart from the dialogs
// so that they can be checked without a person at the screen.

// Qt name filters ("description (patterns)") for a "description|pattern|..." filter text.
// Patterns are matched as on Windows: without regard to letter case, and "*.*" takes every
// name, with or without a dot.
QStringList QtNameFilters(const std::string& filter);

// What the open-file dialog returns for the files the user chose: an empty text for none;
// the full path for one; otherwise the folder of the first, then a NUL and a name relative
// to that folder for each file, in the dialog's order. Paths are native bytes. Throws Failure
// kFileNameBufferTooSmall when the text would be longer than `maxLength`.
std::string OpenDialogResult(const QStringList& chosenFiles, std::size_t maxLength);

// What the folder picker returns for the chosen folder: its native path, the root keeping its
// "/", any other folder without a trailing "/"; an empty text for none.
std::string FolderPickerResult(const QString& chosenFolder);

}  // namespace pv
