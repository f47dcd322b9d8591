#include "platform/win32/registry_text.h"

namespace pv::win32 {

std::optional<std::wstring> RegistryText(HKEY key, const wchar_t* name)
{
    // The value may change between the size query and the read; then the size is asked again.
    for (;;) {
        DWORD bytes = 0;
        if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
            return std::nullopt;
        std::wstring value(bytes / sizeof(wchar_t), L'\0');
        const LSTATUS status = RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        value.resize(bytes / sizeof(wchar_t));
        while (!value.empty() && value.back() == L'\0')
            value.pop_back();
        return value;
    }
}

}  // namespace pv::win32
