#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pv {

// What the header of an icon (.ico) or cursor (.cur) file says about one of its images.
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

// Reads and checks the header of an icon or cursor file held in `bytes`, describing the image
// at `image` (0 the first): the directory and every image's data must lie inside the buffer,
// the image described must begin as a bitmap or a PNG, and a cursor's hotspot must lie inside
// it. Anything else (truncated data, other file types, random bytes, an index past the last
// image) gives nothing. Never reads outside `bytes`.
std::optional<CursorFileInfo> ReadCursorFileHeader(std::string_view bytes, int image = 0);

// The image to show where a logical pixel is `scale` device pixels, so that the pointer keeps
// the first image's size: the narrowest image at least the first's width times `scale` (the
// first among equals), else the widest. At a scale of 1 this is always the first image.
// Images whose header is refused are passed over. `first` is the header of image 0.
int ImageForScale(std::string_view bytes, const CursorFileInfo& first, double scale);

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
