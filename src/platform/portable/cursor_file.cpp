#include "platform/portable/cursor_file.h"

#include <array>
#include <fstream>
#include <system_error>

namespace pv {

namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr std::uint32_t kBitmapInfoHeaderBytes = 40;
constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

std::uint32_t Le16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 1]))
                                                      << 8;
}

std::uint32_t Le32(std::string_view bytes, std::size_t at)
{
    return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

// True when [offset, offset + size) is a non-empty range inside a buffer of `total` bytes.
bool InsideBuffer(std::uint32_t offset, std::uint32_t size, std::size_t total)
{
    return size > 0 && offset <= total && size <= total - offset;
}

}  // namespace

std::optional<CursorFileInfo> ReadCursorFileHeader(std::string_view bytes, int image)
{
    if (bytes.size() < kHeaderBytes || Le16(bytes, 0) != 0)
        return std::nullopt;
    CursorFileInfo info;
    info.type = static_cast<int>(Le16(bytes, 2));
    info.imageCount = static_cast<int>(Le16(bytes, 4));
    if ((info.type != 1 && info.type != 2) || image < 0 || image >= info.imageCount)
        return std::nullopt;
    const std::size_t directoryEnd = kHeaderBytes + kEntryBytes * static_cast<std::size_t>(info.imageCount);
    if (bytes.size() < directoryEnd)
        return std::nullopt;

    for (int i = 0; i < info.imageCount; ++i) {
        const std::size_t entry = kHeaderBytes + kEntryBytes * static_cast<std::size_t>(i);
        const std::uint32_t size = Le32(bytes, entry + 8);
        const std::uint32_t offset = Le32(bytes, entry + 12);
        if (offset < directoryEnd || !InsideBuffer(offset, size, bytes.size()))
            return std::nullopt;
    }

    const std::size_t described = kHeaderBytes + kEntryBytes * static_cast<std::size_t>(image);
    const auto dimension = [](std::uint8_t stored) { return stored == 0 ? 256 : static_cast<int>(stored); };
    info.width = dimension(static_cast<std::uint8_t>(bytes[described]));
    info.height = dimension(static_cast<std::uint8_t>(bytes[described + 1]));
    info.imageSize = Le32(bytes, described + 8);
    info.imageOffset = Le32(bytes, described + 12);
    if (info.type == 2) {
        info.hotspotX = static_cast<int>(Le16(bytes, described + 4));
        info.hotspotY = static_cast<int>(Le16(bytes, described + 6));
        if (info.hotspotX >= info.width || info.hotspotY >= info.height)
            return std::nullopt;
    }

    const std::string_view data = bytes.substr(info.imageOffset, info.imageSize);
    info.imageIsPng = data.substr(0, kPngSignature.size()) == kPngSignature;
    if (!info.imageIsPng && (data.size() < kBitmapInfoHeaderBytes || Le32(data, 0) != kBitmapInfoHeaderBytes))
        return std::nullopt;
    return info;
}

int ImageForScale(std::string_view bytes, const CursorFileInfo& first, double scale)
{
    const double wanted = first.width * scale;
    int chosen = 0;
    int chosenWidth = first.width;
    for (int image = 1; image < first.imageCount; ++image) {
        const std::optional<CursorFileInfo> info = ReadCursorFileHeader(bytes, image);
        if (!info)
            continue;
        const bool chosenTooNarrow = chosenWidth < wanted;
        const bool better =
            chosenTooNarrow ? info->width > chosenWidth : info->width >= wanted && info->width < chosenWidth;
        if (better) {
            chosen = image;
            chosenWidth = info->width;
        }
    }
    return chosen;
}

std::optional<CursorFileContent> ReadCursorFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    // Read in pieces up to a byte past the limit: a small file costs no buffer of the limit's size.
    CursorFileContent content;
    std::array<char, 16384> piece;
    do {
        file.read(piece.data(), piece.size());
        content.bytes.append(piece.data(), static_cast<std::size_t>(file.gcount()));
    } while (file && content.bytes.size() <= kMaxCursorFileBytes);
    if (content.bytes.size() > kMaxCursorFileBytes)
        return std::nullopt;
    const std::optional<CursorFileInfo> info = ReadCursorFileHeader(content.bytes);
    if (!info)
        return std::nullopt;
    content.info = *info;
    return content;
}

}  // namespace pv
