#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/skin_file.h"
#include "failure/failure.h"

namespace pv {
namespace {

// The failure description of parsing `text`, or "" when it parses.
std::string ParseError(const std::string& text)
{
    try {
        ParseSkin(text);
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), failure_code::kInvalidProcedureCall);
        return failure.description();
    }
    return {};
}

TEST(SkinFile, ReadsEverySectionAndProperty)
{
    const Skin skin = ParseSkin("[window]\n"
                                "background = #EEF1F5\n"
                                "text = #123\n"
                                "[button]\n"
                                "background=#ffffff\n"
                                "text = #1E293B\n"
                                "border = #a9b4c2\n"
                                "hover-background = #E8F0FE\n"
                                "pressed-background = #D2E0FB\n"
                                "selection = #000001\n"
                                "selection-text = #FFFFFF\n"
                                "focus = #1D4ED8\n"
                                "border-width = 2\n"
                                "radius = 32\n"
                                "font-family = \"DejaVu Sans\"\n"
                                "font-size = 11.25\n"
                                "font-bold = yes\n"
                                "[list]\nfont-bold = off\n"
                                "[frame]\nradius = 0\n"
                                "[printer-box]\nfont-family = Arial\n"
                                "[progress]\nselection = #60A5FA\n");

    EXPECT_EQ(skin.window.background, (SkinColour{0xEE, 0xF1, 0xF5}));
    EXPECT_EQ(skin.window.text, (SkinColour{0x11, 0x22, 0x33}));
    const SkinPart& button = skin.button;
    EXPECT_EQ(button.background, (SkinColour{255, 255, 255}));
    EXPECT_EQ(button.text, (SkinColour{0x1E, 0x29, 0x3B}));
    EXPECT_EQ(button.border, (SkinColour{0xA9, 0xB4, 0xC2}));
    EXPECT_EQ(button.hoverBackground, (SkinColour{0xE8, 0xF0, 0xFE}));
    EXPECT_EQ(button.pressedBackground, (SkinColour{0xD2, 0xE0, 0xFB}));
    EXPECT_EQ(button.selection, (SkinColour{0, 0, 1}));
    EXPECT_EQ(button.selectionText, (SkinColour{255, 255, 255}));
    EXPECT_EQ(button.focus, (SkinColour{0x1D, 0x4E, 0xD8}));
    EXPECT_EQ(button.borderWidth, 2);
    EXPECT_EQ(button.radius, 32);
    EXPECT_EQ(button.font.family, "DejaVu Sans");
    EXPECT_DOUBLE_EQ(button.font.pointSize.value(), 11.25);
    EXPECT_EQ(button.font.bold, true);
    EXPECT_EQ(skin.list.font.bold, false);
    EXPECT_EQ(skin.frame.radius, 0);
    EXPECT_EQ(skin.printerBox.font.family, "Arial");
    EXPECT_EQ(skin.progress.selection, (SkinColour{0x60, 0xA5, 0xFA}));
    // Nothing set elsewhere, and the engine's flags are not the file's business.
    EXPECT_FALSE(skin.list.background);
    EXPECT_FALSE(skin.frame.font.family);
    EXPECT_EQ(skin.flags, SkinFlags{});
}

TEST(SkinFile, SkipsCommentsBlanksAndWhatItDoesNotKnow)
{
    const Skin skin = ParseSkin("\xEF\xBB\xBF# made by hand\r\n"
                                "\r\n"
                                "   ; another comment\n"
                                "[ WINDOW ]\n"
                                "\tBackground\t=\t#010203  \n"
                                "gradient = linear(#fff, #000)\n"
                                "[toolbar]\n"
                                "background = not a colour, but this section is unknown\n"
                                "[button]\n"
                                "radius = 3\n"
                                "radius = 5\n"
                                "shadow = ?\n"
                                "font-bold = TRUE");  // no newline at the end

    EXPECT_EQ(skin.window.background, (SkinColour{1, 2, 3}));
    EXPECT_EQ(skin.button.radius, 5);
    EXPECT_EQ(skin.button.font.bold, true);
    Skin expected;
    expected.window.background = SkinColour{1, 2, 3};
    expected.button.radius = 5;
    expected.button.font.bold = true;
    EXPECT_EQ(skin, expected);
    EXPECT_EQ(ParseSkin(""), Skin{});
}

TEST(SkinFile, NamesTheLineOfEachMalformedForm)
{
    struct Case {
        std::string line;
        const char* problem;
    };
    const Case cases[] = {
        {"background = #FFF", "comes before the first [section]"},
        {"[button", "a section must be written [name]"},
        {"[]", "a section must be written [name]"},
        {"[bad name]", "a section must be written [name]"},
        {"just words", "expected \"[section]\" or \"name = value\""},
        {"= #FFFFFF", "expected \"[section]\" or \"name = value\""},
        {"back ground = #FFFFFF", "expected \"[section]\" or \"name = value\""},
        {"background = #GGGGGG", "\"background\" must be a colour"},
        {"text = #FFFF", "\"text\" must be a colour"},
        {"border = FFFFFF", "\"border\" must be a colour"},
        {"focus =", "\"focus\" must be a colour"},
        {"Hover-Background = #FFFFFF # comment", "\"hover-background\" must be a colour"},
        {"border-width = 33", "\"border-width\" must be a whole number of pixels from 0 to 32"},
        {"radius = -1", "\"radius\" must be a whole number of pixels"},
        {"radius = 4px", "\"radius\" must be a whole number of pixels"},
        {"font-size = 0", "\"font-size\" must be a number of points from 1 to 72"},
        {"font-size = 72.5", "\"font-size\" must be a number of points"},
        {"font-size = 9.", "\"font-size\" must be a number of points"},
        {"font-size = 1e3", "\"font-size\" must be a number of points"},
        {"font-bold = maybe", "\"font-bold\" must be yes or no"},
        {"font-family =", "\"font-family\" must be a family name"},
        {"font-family = \"\"", "\"font-family\" must be a family name"},
        {"font-family = Evil\"; } QWidget { color: red", "\"font-family\" must be a family name"},
        {"font-family = A;B", "\"font-family\" must be a family name"},
        {"font-family = " + std::string(65, 'x'), "\"font-family\" must be a family name of up to 64 bytes"},
        {"text = #FFFFFF\x01", "the line holds a control character"},
        {"font-family = Caf\xC3", "the line is not UTF-8 text"},
        {"font-family = \xED\xA0\x80", "the line is not UTF-8 text"},  // a surrogate
        {"font-family = \xC0\xAF", "the line is not UTF-8 text"},      // an overlong "/"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        // Line 3 after a comment and a valid section, except for the first case's own point.
        const bool needsNoSection = std::string(c.problem).find("first [section]") != std::string::npos;
        const std::string text =
            std::string("# header\n") + (needsNoSection ? "\n" : "[button]\n") + c.line + "\n[list]\n";
        const std::string error = ParseError(text);
        EXPECT_EQ(error.rfind("Skin file, line 3: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.problem), std::string::npos) << error;
    }
}

TEST(SkinFile, AcceptsTheBoundaryValues)
{
    const Skin skin = ParseSkin("[frame]\nborder-width = 0\nradius = 32\nfont-size = 1\nfont-bold = 0\n"
                                "[list]\nfont-size = 72\nfont-family = Noto Sans \xE6\x97\xA5\xE6\x9C\xAC\n");
    EXPECT_EQ(skin.frame.borderWidth, 0);
    EXPECT_EQ(skin.frame.radius, 32);
    EXPECT_DOUBLE_EQ(*skin.frame.font.pointSize, 1);
    EXPECT_EQ(skin.frame.font.bold, false);
    EXPECT_DOUBLE_EQ(*skin.list.font.pointSize, 72);
    EXPECT_EQ(skin.list.font.family, "Noto Sans \xE6\x97\xA5\xE6\x9C\xAC");
}

TEST(SkinFile, GarbageNeverCrashes)
{
    // Random bytes, and a valid skin with random bytes written over it, must either parse or
    // fail with a line number; a deterministic generator keeps runs repeatable.
    const std::string valid =
        "[window]\nbackground = #EEF1F5\n[button]\nradius = 4\nfont-size = 11.25\nfont-family = Arial\n";
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    int failures = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        if (round % 2 == 0) {
            text.resize(next() % 300);
            for (char& c : text)
                c = static_cast<char>(next());
        } else {
            text = valid;
            for (int flips = 1 + static_cast<int>(next() % 4); flips > 0; --flips)
                text[next() % text.size()] = static_cast<char>(next());
        }
        try {
            ParseSkin(text);
        } catch (const Failure& failure) {
            ++failures;
            ASSERT_EQ(failure.description().rfind("Skin file, line ", 0), 0u) << failure.description();
        }
    }
    EXPECT_GT(failures, 2000);  // the random half, at least, is rejected
}

}  // namespace
}  // namespace pv
