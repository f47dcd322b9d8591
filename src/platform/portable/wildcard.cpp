#include "platform/portable/wildcard.h"

#include <algorithm>
#include <cstddef>

namespace pv {
namespace {

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// The length in bytes of the character starting at `at`: a whole UTF-8 sequence when the
// bytes form one, otherwise a single byte, so that "?" stands for one character of any name.
// The sequence's lead and continuation bytes are all it checks: names reach the matcher as
// the system gives them, and a sequence that is not strictly well-formed is still one
// character to "?".
std::size_t CharacterLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 1 || at + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

// Whether two characters are the same, ASCII letters in either case.
bool SameCharacter(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

// "*" and "?" matching, a whole character at a time in name and pattern alike (a step into
// the middle of a character would let "?" match the rest of it). On a mismatch it goes back
// only to the most recent "*", which takes one more character; earlier stars never need
// revisiting, so the cost stays within name length times pattern length whatever the pattern.
bool MatchesStars(std::string_view name, std::string_view pattern)
{
    constexpr std::size_t kNoStar = std::string_view::npos;
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t afterStar = kNoStar;
    std::size_t starName = 0;
    while (n < name.size()) {
        const std::size_t nameLength = CharacterLength(name, n);
        const std::size_t patternLength = p < pattern.size() ? CharacterLength(pattern, p) : 0;
        if (p < pattern.size() && pattern[p] == '*') {
            afterStar = ++p;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += nameLength;
        } else if (p < pattern.size() && SameCharacter(name.substr(n, nameLength), pattern.substr(p, patternLength))) {
            p += patternLength;
            n += nameLength;
        } else if (afterStar != kNoStar) {
            p = afterStar;
            starName += CharacterLength(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::string_view name, std::string_view pattern)
{
    // As in Windows, a final ".*" also matches the end of a name without an extension, which
    // is what makes "*.*" match every name.
    if (pattern.ends_with(".*") && MatchesStars(name, pattern.substr(0, pattern.size() - 2)))
        return true;
    return MatchesStars(name, pattern);
}

}  // namespace pv
