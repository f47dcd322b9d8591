#pragma once

#include <optional>
#include <string>

#include "services/file_system.h"
#include "window_contract/skin.h"
#include "window_contract/window_controls.h"

namespace pv {

// The skin engine of the main window (SkinFramework1). The appearance routine drives it with
// LoadSkin, Options/SetOptions, SetSwitch and ApplyWindow, in that order; the engine reads
// the skin file (format in app/skin_file.h) and hands the window the skin together with
// the flags it was given:
//   option bit 1   skin the window's controls, not only its surface (SkinFlags::skinControls)
//   switch 5       the dialogs the window opens take the skin too (SkinFlags::skinDialogs)
//   switch 10      highlight buttons, rows and the printer box under the mouse
//                  (SkinFlags::hoverHighlights)
// Every flag starts out off. Other option bits are kept but mean nothing.
class SkinFramework {
public:
    static constexpr int kOptionSkinControls = 1;
    static constexpr int kSwitchSkinDialogs = 5;
    static constexpr int kSwitchHoverHighlights = 10;
    // Skin files are small; anything larger is refused unread.
    static constexpr std::size_t kMaxSkinFileBytes = 1 << 20;

    explicit SkinFramework(FileSystem& fileSystem) : fileSystem_(fileSystem) {}

    // Reads and parses the skin file at `path` (native form). `iniFileName` would pick one
    // section file inside a skin bundle; our skins are single files, the program always passes
    // an empty text, and it is not used. Throws Failure when the file cannot be read (kFileNotFound) or is not a
    // valid skin (kInvalidProcedureCall); a skin loaded earlier then stays.
    void LoadSkin(const std::string& path, const std::string& iniFileName);

    int Options() const { return options_; }
    void SetOptions(int options) { options_ = options; }

    // Throws Failure (kInvalidProcedureCall) for a switch other than 5 and 10.
    void SetSwitch(int id, bool on);

    // Draws `window` with the loaded skin and the current flags. Throws Failure
    // (kInvalidProcedureCall) when no skin has been loaded.
    void ApplyWindow(WindowSurface& window) const;

private:
    FileSystem& fileSystem_;
    std::optional<Skin> skin_;
    int options_ = 0;
    bool skinDialogs_ = false;
    bool hoverHighlights_ = false;
};

}  // namespace pv
