#include <gtest/gtest.h>

#include <string>

#include "platform/portable/wildcard.h"

namespace {

using pv::MatchesWildcard;

TEST(Wildcard, ExtensionPatternIgnoresAsciiCase)
{
    EXPECT_TRUE(MatchesWildcard("report.pdf", "*.pdf"));
    EXPECT_TRUE(MatchesWildcard("REPORT.PDF", "*.pdf"));
    EXPECT_TRUE(MatchesWildcard("Mixed.Pdf", "*.PDF"));
    EXPECT_TRUE(MatchesWildcard(".pdf", "*.pdf"));
    EXPECT_TRUE(MatchesWildcard("a.b.pdf", "*.pdf"));
    EXPECT_FALSE(MatchesWildcard("report.pdfx", "*.pdf"));
    EXPECT_FALSE(MatchesWildcard("reportpdf", "*.pdf"));
    EXPECT_FALSE(MatchesWildcard("report.pdf.txt", "*.pdf"));
    // Only ASCII letters fold: "É" and "é" are different characters here.
    EXPECT_FALSE(MatchesWildcard("\xc3\xa9.pdf", "\xc3\x89.pdf"));
}

TEST(Wildcard, StarDotStarMatchesEveryName)
{
    for (const char* name : {"plain", "a.b", ".hidden", "trailing.", "~lock", "x.y.z"})
        EXPECT_TRUE(MatchesWildcard(name, "*.*")) << name;
    EXPECT_TRUE(MatchesWildcard("notes", "notes.*"));
    EXPECT_TRUE(MatchesWildcard("notes.txt", "notes.*"));
    EXPECT_FALSE(MatchesWildcard("notebook", "notes.*"));
}

TEST(Wildcard, QuestionMarkTakesExactlyOneCharacter)
{
    EXPECT_TRUE(MatchesWildcard("abc", "a?c"));
    EXPECT_FALSE(MatchesWildcard("ac", "a?c"));
    EXPECT_FALSE(MatchesWildcard("abbc", "a?c"));
    EXPECT_TRUE(MatchesWildcard("a\xc3\xa9"
                                "c",
                                "a?c"));  // a two-byte character
    EXPECT_TRUE(MatchesWildcard("a\xff"
                                "c",
                                "a?c"));  // a byte that is no UTF-8
    // After a star, "?" never takes the tail of a character: the euro sign is one character.
    EXPECT_FALSE(MatchesWildcard("\xE2\x82\xAC"
                                 "xy",
                                 "*??xy"));
}

TEST(Wildcard, NameWithoutWildcardsMatchesOnlyThatName)
{
    EXPECT_TRUE(MatchesWildcard("AcroRd32.exe", "acrord32.EXE"));
    EXPECT_FALSE(MatchesWildcard("AcroRd32.exe.bak", "AcroRd32.exe"));
    EXPECT_FALSE(MatchesWildcard("AcroRd32", "AcroRd32.exe"));
    // Wildcard characters inside a name match themselves too.
    EXPECT_TRUE(MatchesWildcard("what?*.pdf", "what?*.pdf"));
}

TEST(Wildcard, HostilePatternEndsQuickly)
{
    const std::string name(20000, 'a');
    std::string pattern;
    for (int i = 0; i < 40; ++i)
        pattern += "*a";
    EXPECT_FALSE(MatchesWildcard(name, pattern + "*b"));
    EXPECT_TRUE(MatchesWildcard(name, pattern + "*"));
}

}  // namespace
