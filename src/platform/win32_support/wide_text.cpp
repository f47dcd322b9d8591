#include "platform/win32_support/wide_text.h"

#include "platform/portable/wtf8.h"

namespace pv::win32 {

std::wstring Wide(std::string_view text)
{
    const std::u16string units = Utf16FromWtf8(text);
    return {units.begin(), units.end()};
}

std::string Utf8(std::wstring_view text)
{
    return Wtf8FromUtf16(std::u16string(text.begin(), text.end()));
}

}  // namespace pv::win32
