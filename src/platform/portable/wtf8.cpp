#include "platform/portable/wtf8.h"

#include <utility>

namespace pv {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// How long a sequence a byte begins, and the range its second byte must be in: the ranges that
// keep out overlong forms and values beyond U+10FFFF. Unlike UTF-8, ED may lead the three-byte
// forms of the surrogates (A0..BF). Length 0: the byte leads no sequence.
struct Lead {
    std::size_t length;
    unsigned char low;
    unsigned char high;
};

Lead LeadOf(unsigned char byte)
{
    if (byte < 0x80)
        return {1, 0, 0};
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2, 0x80, 0xBF};
    if (byte == 0xE0)
        return {3, 0xA0, 0xBF};
    if (byte >= 0xE1 && byte <= 0xEF)
        return {3, 0x80, 0xBF};
    if (byte == 0xF0)
        return {4, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3)
        return {4, 0x80, 0xBF};
    if (byte == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// The end of the longest stretch from `at` that encodes a character or could still begin one,
// and the length its lead asks for.
std::pair<std::size_t, std::size_t> Stretch(std::string_view text, std::size_t at, bool surrogates)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    Lead lead = LeadOf(byte(at));
    if (!surrogates && byte(at) == 0xED)
        lead.high = 0x9F;
    std::size_t end = at + 1;
    if (lead.length > 1 && end < text.size() && byte(end) >= lead.low && byte(end) <= lead.high) {
        ++end;
        while (end < at + lead.length && end < text.size() && (byte(end) & 0xC0) == 0x80)
            ++end;
    }
    return {end, lead.length};
}

void AppendUtf8(std::string& bytes, char32_t value)
{
    if (value < 0x80) {
        bytes += static_cast<char>(value);
        return;
    }
    const int continuations = value < 0x800 ? 1 : value < 0x10000 ? 2 : 3;
    constexpr unsigned char kLeadMarks[] = {0, 0xC0, 0xE0, 0xF0};
    bytes += static_cast<char>(kLeadMarks[continuations] | (value >> (6 * continuations)));
    for (int shift = 6 * (continuations - 1); shift >= 0; shift -= 6)
        bytes += static_cast<char>(0x80 | ((value >> shift) & 0x3F));
}

void AppendUtf16(std::u16string& units, char32_t value)
{
    if (value < 0x10000) {
        units += static_cast<char16_t>(value);
        return;
    }
    value -= 0x10000;
    units += static_cast<char16_t>(0xD800 + (value >> 10));
    units += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
}

}  // namespace

std::string Wtf8FromUtf16(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t value = text[i];
        // A high surrogate directly followed by a low one is one character; any other
        // surrogate stands for itself.
        if (IsHighSurrogate(value) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            value = 0x10000 + ((value - 0xD800) << 10) + (text[++i] - 0xDC00);
        AppendUtf8(bytes, value);
    }
    return bytes;
}

std::u16string Utf16FromWtf8(std::string_view text)
{
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    std::u16string units;
    units.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const auto [end, length] = Stretch(text, at, true);
        if (end - at != length) {
            units += kReplacement;
        } else if (length == 1) {
            units += static_cast<char16_t>(byte(at));
        } else {
            char32_t value = byte(at) & (0x7F >> length);
            for (std::size_t i = at + 1; i < end; ++i)
                value = (value << 6) | (byte(i) & 0x3F);
            AppendUtf16(units, value);
        }
        at = end;
    }
    return units;
}

std::size_t SequenceLength(std::string_view text, std::size_t at, bool surrogates)
{
    const auto [end, length] = Stretch(text, at, surrogates);
    return end - at == length ? length : 0;
}

}  // namespace pv
