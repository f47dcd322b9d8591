#pragma once

#include <string>
#include <string_view>

namespace pv {

// Text from Windows as the core keeps it, and back. Windows text is a sequence of 16-bit units
// that need not be valid UTF-16: a file name may hold a surrogate without its partner. As
// WTF-8 every such sequence comes back unchanged: valid UTF-16 becomes plain UTF-8, and a lone
// surrogate becomes the three bytes that UTF-8's pattern gives its value.
std::string Wtf8FromUtf16(std::u16string_view text);

// The 16-bit units of WTF-8 text (UTF-8 included). Bytes that form no sequence become U+FFFD,
// one for each longest stretch that could still have begun one, as Unicode recommends.
std::u16string Utf16FromWtf8(std::string_view text);

// The length in bytes (1 to 4) of the character encoded at `at`: an ASCII byte, or a UTF-8
// sequence without overlong forms or values beyond U+10FFFF, or WTF-8's form of a lone
// surrogate where `surrogates` allows it. 0 when the bytes there encode none.
std::size_t SequenceLength(std::string_view text, std::size_t at, bool surrogates = true);

}  // namespace pv
