// The wildcard matcher against the system's own matching: FindFirstFileW with the same
// patterns on real files. The names keep out where the two part on purpose: the system also
// matches a name's generated 8.3 name ("*.pdf" finds "report.pdfx" through REPORT~1.PDF, and
// "*~*" finds every long name), folds letters outside ASCII ("É.PDF" finds "é.pdf"),
// takes "?" as one UTF-16 unit (half of a character outside the BMP), reads "*." as "*", and
// reads a "?" before a dot or at the end as DOS did, one character or none ("??.pdf" finds
// ".pdf", "*.?" finds every name; Windows does, and Wine since version 10).
#include <windows.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/portable/wildcard.h"
#include "platform/win32_support/owned.h"
#include "platform/win32_support/wide_text.h"
#include "support/temp_tree.h"

namespace pv {
namespace {

const std::vector<std::string> kNames = {
    "report.pdf",
    "REPORT2.PDF",
    "Mixed.Pdf",
    ".pdf",
    "a.b.pdf",
    "reportpdf",
    "report.pdf.txt",
    "x.pdf.pdf",
    "plain",
    "a",
    "ab",
    "a.b",
    ".hidden",
    "~lock",
    "x.y.z",
    "notes",
    "notes.txt",
    "notebook",
    "abc",
    "ac",
    "abbc",
    "AcroRd32.exe",
    "AcroRd32.exe.bak",
    "AcroRd32",
    "longer name with spaces.pdf",
    "a\xc3\xa9"
    "c",
    "\xc3\xa9.pdf",
    "\xe6\x97\xa5\xe6\x9c\xac.pdf",
    "\xe2\x82\xac"
    "xy",
};

const std::vector<std::string> kPatterns = {
    "*.pdf", "*.PDF", "*pdf",    "*.p?f", "*.pdf*", "r*t*.pdf", "*.*",
    "*",     "?*",    "notes.*", "a?c",   "a*b*c",  "*??xy",    "acrord32.EXE",
};

// The names in `folder` that the system finds for `pattern`.
std::set<std::string> SystemMatches(const testing::TempTree& folder, const std::string& pattern)
{
    std::set<std::string> names;
    WIN32_FIND_DATAW entry;
    const win32::FindHandle find(FindFirstFileW(win32::Wide(folder.path(pattern)).c_str(), &entry));
    for (bool more = find.valid(); more; more = FindNextFileW(find.get(), &entry))
        names.insert(win32::Utf8(entry.cFileName));
    return names;
}

TEST(WildcardAgainstTheSystem, MatchesWhatTheSystemFinds)
{
    testing::TempTree folder;
    for (const std::string& name : kNames)
        folder.file(name);
    for (const std::string& pattern : kPatterns) {
        const std::set<std::string> found = SystemMatches(folder, pattern);
        for (const std::string& name : kNames)
            EXPECT_EQ(MatchesWildcard(name, pattern), found.contains(name)) << "[" << name << "] [" << pattern << "]";
    }
}

}  // namespace
}  // namespace pv
