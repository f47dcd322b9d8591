#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/portable/wildcard.h"
#include "targets.h"

namespace pv::fuzz {
namespace {

// The rules of Windows file-name matching as this program applies them, written as plainly
// as possible:
//   - name and pattern are sequences of characters: a whole UTF-8 sequence (a lead byte
//     C2-DF, E0-EF or F0-F4 followed by as many continuation bytes as it announces),
//     otherwise a single byte;
//   - "*" matches any run of characters, the empty run included;
//   - "?" matches exactly one character;
//   - any other character matches the same character, ASCII letters without regard to case
//     (others, "é" and "É" among them, only themselves);
//   - a pattern ending in ".*" also matches a name that the pattern without those two
//     characters matches, which is why "*.*" matches names without a dot.
std::size_t AnnouncedLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

bool IsContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::vector<std::string_view> Characters(std::string_view text)
{
    std::vector<std::string_view> characters;
    while (!text.empty()) {
        std::size_t length = AnnouncedLength(static_cast<unsigned char>(text[0]));
        if (length > text.size() || !std::all_of(text.begin() + 1, text.begin() + length, IsContinuation))
            length = 1;
        characters.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return characters;
}

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameCharacter(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

class ReferenceMatcher {
public:
    ReferenceMatcher(std::string_view name, std::string_view pattern)
        : name_(Characters(name)),
          pattern_(Characters(pattern)),
          known_((name_.size() + 1) * (pattern_.size() + 1), kUnknown)
    {}

    bool matches() { return matchesFrom(0, 0); }

private:
    enum : char { kUnknown, kNo, kYes };

    // Whether the name from character n matches the pattern from character p; remembered, so
    // that each pair is worked out once.
    bool matchesFrom(std::size_t n, std::size_t p)
    {
        char& known = known_[n * (pattern_.size() + 1) + p];
        if (known == kUnknown)
            known = work(n, p) ? kYes : kNo;
        return known == kYes;
    }

    bool work(std::size_t n, std::size_t p)
    {
        if (p == pattern_.size())
            return n == name_.size();
        if (pattern_[p] == "*")
            return matchesFrom(n, p + 1) || (n < name_.size() && matchesFrom(n + 1, p));
        if (n == name_.size())
            return false;
        return (pattern_[p] == "?" || SameCharacter(pattern_[p], name_[n])) && matchesFrom(n + 1, p + 1);
    }

    std::vector<std::string_view> name_;
    std::vector<std::string_view> pattern_;
    std::vector<char> known_;
};

bool ReferenceMatches(std::string_view name, std::string_view pattern)
{
    if (pattern.ends_with(".*") && ReferenceMatcher(name, pattern.substr(0, pattern.size() - 2)).matches())
        return true;
    return ReferenceMatcher(name, pattern).matches();
}

// The reference costs name length times pattern length in memory; longer inputs are only
// run through the matcher under test, which must end quickly whatever it is given.
constexpr std::size_t kLongestCompared = 256;

}  // namespace

void FuzzWildcard(std::string_view input)
{
    const std::size_t newline = input.find('\n');
    const std::string_view pattern = input.substr(0, newline);
    const std::string_view name = newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);

    const bool matches = MatchesWildcard(name, pattern);
    if (name.size() > kLongestCompared || pattern.size() > kLongestCompared)
        return;
    Expect(matches == ReferenceMatches(name, pattern), "the matcher agrees with the plain recursive rules");

    // A pattern without wildcards matches the name itself, in any ASCII case.
    if (name.find_first_of("*?") == std::string_view::npos) {
        std::string upper(name);
        for (char& c : upper)
            c = UpperAscii(c);
        Expect(MatchesWildcard(name, upper) && MatchesWildcard(upper, name), "a name matches itself in any case");
    }
    Expect(MatchesWildcard(name, "*") && MatchesWildcard(name, "*.*"), "\"*\" and \"*.*\" match every name");
}

}  // namespace pv::fuzz
