#include "icon_file.h"

#include "byte_writer.h"

namespace pv::assetgen {

namespace {

constexpr std::uint32_t kHeaderBytes = 6;
constexpr std::uint32_t kEntryBytes = 16;
constexpr std::uint32_t kBitmapInfoBytes = 40;

// One image as the icon formats store it: a bitmap header with doubled height, the colour
// rows bottom-up in BGRA, then the 1-bit transparency mask (1 = transparent), rows padded to
// whole 32-bit words.
std::string DeviceIndependentBitmap(const Canvas& image)
{
    const int size = image.size();
    const std::uint32_t maskRowBytes = static_cast<std::uint32_t>((size + 31) / 32 * 4);
    const std::uint32_t colourBytes = static_cast<std::uint32_t>(size * size * 4);
    std::string out;
    PutLe32(out, kBitmapInfoBytes);
    PutLe32(out, static_cast<std::uint32_t>(size));
    PutLe32(out, static_cast<std::uint32_t>(size * 2));
    PutLe16(out, 1);   // planes
    PutLe16(out, 32);  // bits per pixel
    PutLe32(out, 0);   // no compression
    PutLe32(out, colourBytes + maskRowBytes * static_cast<std::uint32_t>(size));
    PutLe32(out, 0);
    PutLe32(out, 0);
    PutLe32(out, 0);
    PutLe32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const Rgba& p = image.at(x, y);
            out += static_cast<char>(p.b);
            out += static_cast<char>(p.g);
            out += static_cast<char>(p.r);
            out += static_cast<char>(p.a);
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(maskRowBytes, '\0');
        for (int x = 0; x < size; ++x) {
            if (image.at(x, y).a == 0)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
        }
        out += row;
    }
    return out;
}

// The directory and images; each entry's two type-specific fields (planes and bit depth for
// icons, the hotspot for cursors) are `field1` and `field2`.
struct DirectoryEntry {
    const Canvas* image = nullptr;
    std::uint32_t field1 = 0;
    std::uint32_t field2 = 0;
};

std::string DirectoryFile(std::uint32_t type, const std::vector<DirectoryEntry>& images)
{
    std::vector<std::string> bitmaps;
    for (const DirectoryEntry& entry : images)
        bitmaps.push_back(DeviceIndependentBitmap(*entry.image));

    std::string out;
    PutLe16(out, 0);
    PutLe16(out, type);
    PutLe16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = kHeaderBytes + kEntryBytes * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].image->size();
        out += static_cast<char>(size >= 256 ? 0 : size);  // width, 0 meaning 256
        out += static_cast<char>(size >= 256 ? 0 : size);  // height
        out += '\0';                                       // no palette
        out += '\0';
        PutLe16(out, images[i].field1);
        PutLe16(out, images[i].field2);
        PutLe32(out, static_cast<std::uint32_t>(bitmaps[i].size()));
        PutLe32(out, offset);
        offset += static_cast<std::uint32_t>(bitmaps[i].size());
    }
    for (const std::string& bitmap : bitmaps)
        out += bitmap;
    return out;
}

}  // namespace

std::string IconFileBytes(const std::vector<const Canvas*>& images)
{
    std::vector<DirectoryEntry> entries;
    for (const Canvas* image : images)
        entries.push_back({image, 1, 32});
    return DirectoryFile(1, entries);
}

std::string CursorFileBytes(const std::vector<CursorImage>& images)
{
    std::vector<DirectoryEntry> entries;
    for (const CursorImage& image : images)
        entries.push_back(
            {image.image, static_cast<std::uint32_t>(image.hotX), static_cast<std::uint32_t>(image.hotY)});
    return DirectoryFile(2, entries);
}

}  // namespace pv::assetgen
