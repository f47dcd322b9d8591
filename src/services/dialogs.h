#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pv {

enum class BoxButtons { Ok, YesNo };
enum class BoxIcon { None, Exclamation, Critical };
enum class BoxAnswer { Ok, Yes, No };

// Modal message boxes. The text is shown as composed: lone carriage returns break lines.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual BoxAnswer show(const std::string& text, const std::string& title, BoxButtons buttons, BoxIcon icon) = 0;
};

// The settings of the open-file dialog, kept between openings like a dialog control's.
struct OpenFileDialogSettings {
    std::string fileName;
    std::string title;
    // Description and pattern pairs separated by "|": "PDF Files (*.pdf)|*.pdf|...".
    std::string filter;
    std::uint32_t flags = 0;
    std::size_t maxFileNameLength = 30000;
};

// Flags of the open-file dialog, by their Windows values.
namespace open_flags {
inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kAllowMultiSelect = 0x200;
inline constexpr std::uint32_t kExplorer = 0x80000;
inline constexpr std::uint32_t kLongNames = 0x200000;
}  // namespace open_flags

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // Shows the open-file dialog modally. Returns an empty text on cancel; the chosen file's
    // full path for one file; for several, the folder followed by a NUL and a name per file.
    // Throws Failure kFileNameBufferTooSmall when that text exceeds maxFileNameLength.
    virtual std::string showOpen(const OpenFileDialogSettings& settings) = 0;

    // Shows the folder picker modally with `title`. Returns the chosen folder's path (the
    // root keeps its separator, other folders have none), or an empty text on cancel.
    virtual std::string browseForFolder(const std::string& title) = 0;
};

}  // namespace pv
