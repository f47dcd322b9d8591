#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/portable/cursor_file.h"

namespace pv {
namespace {

void Le16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Le32(std::string& out, std::uint32_t value)
{
    Le16(out, value & 0xFFFF);
    Le16(out, value >> 16);
}

struct Entry {
    int size = 32;             // stored as one byte; 256 is stored as 0
    std::uint32_t field1 = 0;  // planes, or hotspot x
    std::uint32_t field2 = 0;  // bits per pixel, or hotspot y
    std::string image;
};

// A bitmap image as icons store it: only its 40-byte header matters here.
std::string Bitmap(std::size_t extra = 24)
{
    std::string out;
    Le32(out, 40);
    out.resize(40 + extra, '\x11');
    return out;
}

std::string DirectoryFile(int type, const std::vector<Entry>& entries)
{
    std::string out;
    Le16(out, 0);
    Le16(out, static_cast<std::uint32_t>(type));
    Le16(out, static_cast<std::uint32_t>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const Entry& entry : entries) {
        out += static_cast<char>(entry.size == 256 ? 0 : entry.size);
        out += static_cast<char>(entry.size == 256 ? 0 : entry.size);
        out += '\0';
        out += '\0';
        Le16(out, entry.field1);
        Le16(out, entry.field2);
        Le32(out, static_cast<std::uint32_t>(entry.image.size()));
        Le32(out, offset);
        offset += static_cast<std::uint32_t>(entry.image.size());
    }
    for (const Entry& entry : entries)
        out += entry.image;
    return out;
}

TEST(CursorFile, ReadsACursorsHotspotAndImage)
{
    const std::string file = DirectoryFile(2, {{32, 7, 3, Bitmap()}});
    const auto info = ReadCursorFileHeader(file);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->type, 2);
    EXPECT_EQ(info->imageCount, 1);
    EXPECT_EQ(info->width, 32);
    EXPECT_EQ(info->height, 32);
    EXPECT_EQ(info->hotspotX, 7);
    EXPECT_EQ(info->hotspotY, 3);
    EXPECT_EQ(info->imageOffset, 22u);
    EXPECT_EQ(info->imageSize, 64u);
    EXPECT_FALSE(info->imageIsPng);
}

TEST(CursorFile, ReadsAnIconsFirstEntryWithoutHotspot)
{
    const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + "rest of a png";
    const std::string file = DirectoryFile(1, {{256, 1, 32, png}, {16, 1, 32, Bitmap()}});
    const auto info = ReadCursorFileHeader(file);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->type, 1);
    EXPECT_EQ(info->imageCount, 2);
    EXPECT_EQ(info->width, 256);
    EXPECT_EQ(info->height, 256);
    EXPECT_EQ(info->hotspotX, 0);  // an icon's planes and depth are no hotspot
    EXPECT_EQ(info->hotspotY, 0);
    EXPECT_EQ(info->imageOffset, 38u);
    EXPECT_EQ(info->imageSize, png.size());
    EXPECT_TRUE(info->imageIsPng);
}

TEST(CursorFile, DescribesAnyImageAndPicksTheOneForAScale)
{
    // The last image is refused (its hotspot lies outside it) and never picked.
    const std::string file =
        DirectoryFile(2, {{32, 7, 0, Bitmap()}, {64, 14, 0, Bitmap()}, {48, 10, 0, Bitmap()}, {96, 96, 0, Bitmap()}});
    const auto first = ReadCursorFileHeader(file);
    const auto second = ReadCursorFileHeader(file, 1);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->width, 64);
    EXPECT_EQ(second->hotspotX, 14);
    EXPECT_EQ(second->imageOffset, 70u + 64);
    EXPECT_FALSE(ReadCursorFileHeader(file, 3) || ReadCursorFileHeader(file, 4));
    for (const auto& [scale, image] : {std::pair{1.0, 0}, {1.25, 2}, {1.5, 2}, {2.0, 1}, {3.0, 1}})
        EXPECT_EQ(ImageForScale(file, *first, scale), image) << scale;
}

TEST(CursorFile, RefusesHeadersThatDoNotHoldTogether)
{
    const auto refused = [](std::string file) { return !ReadCursorFileHeader(file).has_value(); };
    const std::string good = DirectoryFile(2, {{32, 7, 3, Bitmap()}});
    ASSERT_FALSE(refused(good));

    std::string reserved = good;
    reserved[0] = 1;
    EXPECT_TRUE(refused(reserved));
    EXPECT_TRUE(refused(DirectoryFile(3, {{32, 0, 0, Bitmap()}})));
    EXPECT_TRUE(refused(DirectoryFile(0, {{32, 0, 0, Bitmap()}})));
    EXPECT_TRUE(refused(DirectoryFile(2, {})));
    EXPECT_TRUE(refused(DirectoryFile(2, {{32, 32, 0, Bitmap()}})));  // hotspot right of the image
    EXPECT_TRUE(refused(DirectoryFile(2, {{16, 0, 16, Bitmap()}})));  // hotspot below it
    EXPECT_TRUE(refused(DirectoryFile(2, {{32, 0, 0, "not a bitmap header, long enough to check"}})));
    EXPECT_TRUE(refused(DirectoryFile(1, {{32, 1, 32, Bitmap()}, {16, 1, 32, ""}})));  // an empty image

    // Image data that points into the directory, past the end, or wraps around 32 bits.
    const auto withOffsetAndSize = [&](std::uint32_t offset, std::uint32_t size) {
        std::string file = good;
        std::string fields;
        Le32(fields, size);
        Le32(fields, offset);
        file.replace(14, 8, fields);
        return file;
    };
    EXPECT_FALSE(refused(withOffsetAndSize(22, 64)));
    EXPECT_TRUE(refused(withOffsetAndSize(10, 64)));
    EXPECT_TRUE(refused(withOffsetAndSize(22, 65)));
    EXPECT_TRUE(refused(withOffsetAndSize(0xFFFFFFF0u, 0x20)));
    EXPECT_TRUE(refused(withOffsetAndSize(22, 0xFFFFFFFFu)));

    // A count that promises more directory entries than there are bytes.
    std::string manyEntries = good;
    manyEntries[4] = '\xFF';
    manyEntries[5] = '\xFF';
    EXPECT_TRUE(refused(manyEntries));
}

TEST(CursorFile, EveryTruncationIsRefused)
{
    for (const std::string& file : {DirectoryFile(2, {{32, 7, 3, Bitmap()}}),
                                    DirectoryFile(1, {{48, 1, 32, Bitmap()}, {32, 1, 32, Bitmap(8)}})}) {
        for (std::size_t length = 0; length < file.size(); ++length)
            EXPECT_FALSE(ReadCursorFileHeader(std::string_view(file).substr(0, length))) << length;
    }
}

TEST(CursorFile, RandomBytesAreReadSafely)
{
    // A deterministic generator; a sanitizer build turns any read out of bounds into a failure.
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    const std::string good = DirectoryFile(2, {{32, 7, 3, Bitmap()}});
    for (int round = 0; round < 20000; ++round) {
        std::string bytes;
        if (round % 2 == 0) {
            bytes.resize(next() % 96);
            for (char& c : bytes)
                c = static_cast<char>(next());
        } else {
            bytes = good;
            bytes[next() % 22] = static_cast<char>(next());  // damage the header only
        }
        // Heap copies of exactly the right size let a sanitizer catch any overrun.
        const std::vector<char> exact(bytes.begin(), bytes.end());
        const auto info = ReadCursorFileHeader(std::string_view(exact.data(), exact.size()));
        if (info) {
            EXPECT_LE(static_cast<std::uint64_t>(info->imageOffset) + info->imageSize, exact.size());
            EXPECT_TRUE(info->type == 1 || info->type == 2);
        }
    }
}

}  // namespace
}  // namespace pv
