#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pv {

// What the header of an icon (.ico) or cursor (.cur) file says about its first image.
struct CursorFileInfo {
    int type = 0;  // 1 icon, 2 cursor
    int imageCount = 0;
    int width = 0;  // pixels; a stored 0 means 256
    int height = 0;
    int hotspotX = 0;  // cursors only; 0 for icons
    int hotspotY = 0;
    std::uint32_t imageOffset = 0;
    std::uint32_t imageSize = 0;
    bool imageIsPng = false;  // otherwise a device-independent bitmap
};

// Reads and checks the header of an icon or cursor file held in `bytes`: the directory and
// every image's data must lie inside the buffer, the first image must begin as a bitmap or a
// PNG, and a cursor's hotspot must lie inside its image. Anything else (truncated data, other
// file types, random bytes) gives nothing. Never reads outside `bytes`.
std::optional<CursorFileInfo> ReadCursorFileHeader(std::string_view bytes);

// Larger than any sensible cursor or icon (a 256-pixel 32-bit image is 256 KiB).
inline constexpr std::size_t kMaxCursorFileBytes = 4 << 20;

struct CursorFileContent {
    std::string bytes;
    CursorFileInfo info;
};

// The cursor or icon file at `path` as a window loads it. Only a regular file is opened (links
// followed): a named pipe would wait for a writer and stop the window, and a device may never
// end. Nothing when it is no regular file, cannot be read, holds more than
// kMaxCursorFileBytes or has a header ReadCursorFileHeader refuses.
std::optional<CursorFileContent> ReadCursorFile(const std::filesystem::path& path);

}  // namespace pv
