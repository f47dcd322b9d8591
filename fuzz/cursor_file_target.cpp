#include <cstdint>

#include "platform/portable/cursor_file.h"
#include "targets.h"

namespace pv::fuzz {
namespace {

std::uint32_t Le32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// The properties of the header as ReadCursorFileHeader reads it for the image at `image`.
void CheckImage(std::string_view input, int image)
{
    const std::optional<CursorFileInfo> info = ReadCursorFileHeader(input, image);
    if (!info)
        return;
    Expect(image < info->imageCount, "only images the directory lists are described");
    Expect(info->type == 1 || info->type == 2, "the file is an icon or a cursor");
    Expect(info->imageCount >= 1, "the directory lists an image");
    const std::size_t directoryEnd = 6 + 16 * static_cast<std::size_t>(info->imageCount);
    Expect(directoryEnd <= input.size(), "the directory lies inside the buffer");
    for (int i = 0; i < info->imageCount; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        const std::uint64_t size = Le32(input, entry + 8);
        const std::uint64_t offset = Le32(input, entry + 12);
        Expect(size > 0 && offset >= directoryEnd && offset + size <= input.size(),
               "every image lies inside the buffer, after the directory");
    }
    const std::size_t described = 6 + 16 * static_cast<std::size_t>(image);
    Expect(info->imageSize == Le32(input, described + 8) && info->imageOffset == Le32(input, described + 12),
           "the image described is its directory entry's");
    Expect(info->width >= 1 && info->width <= 256 && info->height >= 1 && info->height <= 256,
           "sizes lie from 1 to 256 pixels");
    if (info->type == 2)
        Expect(info->hotspotX >= 0 && info->hotspotX < info->width && info->hotspotY >= 0 &&
                   info->hotspotY < info->height,
               "a cursor's hotspot lies inside its image");
    else
        Expect(info->hotspotX == 0 && info->hotspotY == 0, "an icon has no hotspot");

    const std::string_view data = input.substr(info->imageOffset, info->imageSize);
    Expect(info->imageIsPng == data.starts_with("\x89PNG\r\n\x1a\n"), "PNG images are told apart by their signature");
    if (!info->imageIsPng)
        Expect(data.size() >= 40 && Le32(data, 0) == 40, "a bitmap begins with its 40-byte header");
}

}  // namespace

void FuzzCursorFile(std::string_view input)
{
    // Every image the directory lists (the count is bytes 4-5), and one past the last.
    const int count = input.size() >= 6 ? static_cast<int>(Le32(input, 2) >> 16) : 0;
    for (int image = 0; image <= count; ++image)
        CheckImage(input, image);
}

}  // namespace pv::fuzz
