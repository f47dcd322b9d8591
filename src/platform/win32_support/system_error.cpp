#include "platform/win32_support/system_error.h"

#include "platform/win32_support/wide_text.h"

namespace pv::win32 {

std::string SystemErrorText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring_view message(text, length);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.remove_suffix(1);
    std::string result = Utf8(message);
    LocalFree(text);
    return result;
}

Failure SystemFailure(const std::string& action, DWORD error)
{
    const std::string message = SystemErrorText(error);
    return Failure(message.empty() ? action : action + ": " + message, static_cast<long>(error));
}

}  // namespace pv::win32
