#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/skin_file.h"
#include "platform/portable/cursor_file.h"

namespace pv {
namespace {

namespace fs = std::filesystem;

// The files that ship beside the program, in the source tree.
fs::path ProgramAssets()
{
    return PRESSVALE_PROGRAM_ASSETS;
}

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ShippedAssets, TheHandCursorPointsWithItsFingertip)
{
    const std::string bytes = ReadWhole(ProgramAssets() / "HAND-M.CUR");
    const auto info = ReadCursorFileHeader(bytes);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->type, 2);
    EXPECT_EQ(info->width, 32);
    EXPECT_EQ(info->height, 32);
    EXPECT_EQ(info->hotspotX, 7);
    EXPECT_EQ(info->hotspotY, 0);
    const auto large = ReadCursorFileHeader(bytes, 1);  // drawn again for a scale of 2
    ASSERT_TRUE(large);
    EXPECT_EQ(large->width, 64);
    EXPECT_EQ(large->hotspotX, 14);
}

TEST(ShippedAssets, TheDragIconIsAnIcon)
{
    const std::string bytes = ReadWhole(ProgramAssets() / "drag.ico");
    const auto info = ReadCursorFileHeader(bytes);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->type, 1);
    EXPECT_EQ(info->width, 32);
    EXPECT_EQ(info->height, 32);
}

// WCAG contrast ratio of two colours.
double Contrast(SkinColour a, SkinColour b)
{
    const auto luminance = [](SkinColour c) {
        const auto linear = [](std::uint8_t channel) {
            const double v = channel / 255.0;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ShippedAssets, TheSkinParsesAndEveryTextStaysReadable)
{
    const Skin skin = ParseSkin(ReadWhole(ProgramAssets() / "x" / "o.cjs"));
    for (const SkinPart* part : {&skin.window, &skin.button, &skin.list, &skin.frame, &skin.printerBox}) {
        ASSERT_TRUE(part->text && part->background);
        EXPECT_GE(Contrast(*part->text, *part->background), 4.5);
        if (part->hoverBackground) {
            EXPECT_GE(Contrast(*part->text, *part->hoverBackground), 4.5);
        }
        if (part->pressedBackground) {
            EXPECT_GE(Contrast(*part->text, *part->pressedBackground), 4.5);
        }
        if (part->selection) {
            ASSERT_TRUE(part->selectionText);
            EXPECT_GE(Contrast(*part->selectionText, *part->selection), 4.5);
        }
        if (part->focus) {
            EXPECT_GE(Contrast(*part->focus, *part->background), 3.0);
        }
    }
    // The progress bar's percentage is drawn over its track and over its chunk.
    EXPECT_GE(Contrast(*skin.progress.text, *skin.progress.background), 4.5);
    EXPECT_GE(Contrast(*skin.progress.text, *skin.progress.selection), 4.5);
}

TEST(ShippedAssets, EverySampleIsACompletePdf)
{
    int samples = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(ProgramAssets() / "Samples")) {
        SCOPED_TRACE(entry.path().string());
        const std::string bytes = ReadWhole(entry.path());
        EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
        const std::size_t end = bytes.find_last_not_of("\r\n");
        ASSERT_NE(end, std::string::npos);
        EXPECT_EQ(bytes.substr(0, end + 1).substr(end + 1 - 5), "%%EOF");
        // The cross-reference table starts where startxref says.
        const std::size_t startxref = bytes.rfind("startxref");
        ASSERT_NE(startxref, std::string::npos);
        const std::size_t offset = std::stoul(bytes.substr(startxref + 10));
        EXPECT_EQ(bytes.compare(offset, 4, "xref"), 0);
        ++samples;
    }
    EXPECT_GE(samples, 3);
}

}  // namespace
}  // namespace pv
