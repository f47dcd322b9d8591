#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/portable/wtf8.h"

namespace pv {
namespace {

struct Encoding {
    std::u16string units;
    std::string bytes;
};

// Every sequence of 16-bit units, valid UTF-16 or not, and its one WTF-8 form.
const std::vector<Encoding> kEncodings = {
    {u"", ""},
    {u"a b.pdf", "a b.pdf"},
    {std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    {u"\u00e9\u65e5", "\xc3\xa9\xe6\x97\xa5"},
    {u"\ufffd", "\xef\xbf\xbd"},
    {u"\U0001F600", "\xf0\x9f\x98\x80"},  // a surrogate pair
    {u"a\xD800", "a\xed\xa0\x80"},        // lone high, at the end
    {u"\xDBFF.pdf", "\xed\xaf\xbf.pdf"},  // lone high, at the start
    {u"\xDC00"
     "a",
     "\xed\xb0\x80"
     "a"},                                                    // lone low, at the start
    {u"a\xDFFF", "a\xed\xbf\xbf"},                            // lone low, at the end
    {u"\xDC00\xD800", "\xed\xb0\x80\xed\xa0\x80"},            // a pair the wrong way round
    {u"\xD800\xD83D\xDE00", "\xed\xa0\x80\xf0\x9f\x98\x80"},  // a high one before a pair
    {u"\xD83D\xDE00\xDE00", "\xf0\x9f\x98\x80\xed\xb8\x80"},  // a low one after a pair
};

TEST(Wtf8, EveryUtf16SequenceHasOneFormAndComesBackUnchanged)
{
    for (const Encoding& encoding : kEncodings) {
        EXPECT_EQ(Wtf8FromUtf16(encoding.units), encoding.bytes) << encoding.bytes;
        EXPECT_EQ(Utf16FromWtf8(encoding.bytes), encoding.units) << encoding.bytes;
    }
}

TEST(Wtf8, BytesThatFormNoSequenceBecomeReplacementCharacters)
{
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {"\xff"
         "a",
         u"\ufffd"
         "a"},
        {"a\xc3", u"a\ufffd"},  // cut short at the end
        {"\xe2\x82"
         "a",
         u"\ufffd"
         "a"},                                              // cut short before a character
        {"\xc0\xaf", u"\ufffd\ufffd"},                      // overlong
        {"\xf4\x90\x80\x80", u"\ufffd\ufffd\ufffd\ufffd"},  // beyond U+10FFFF
        {"\x80", u"\ufffd"},
    };
    for (const auto& [bytes, units] : cases)
        EXPECT_EQ(Utf16FromWtf8(bytes), units) << bytes;
}

}  // namespace
}  // namespace pv
