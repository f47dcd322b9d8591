#include "platform/win32/win32_settings_store.h"

#include <windows.h>

#include "platform/win32/registry_text.h"
#include "platform/win32_support/owned.h"
#include "platform/win32_support/system_error.h"
#include "platform/win32_support/wide_text.h"

namespace pv {
namespace {

std::wstring SectionKey(const std::string& application, const std::string& section)
{
    return L"Software\\VB and VBA Program Settings\\" + win32::Wide(application) + L"\\" + win32::Wide(section);
}

}  // namespace

std::string Win32SettingsStore::get(const std::string& application, const std::string& section, const std::string& key)
{
    win32::RegistryKey sectionKey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey(application, section).c_str(), 0, KEY_QUERY_VALUE,
                      sectionKey.out()) != ERROR_SUCCESS)
        return {};
    return win32::Utf8(win32::RegistryText(sectionKey.get(), win32::Wide(key).c_str()).value_or(L""));
}

void Win32SettingsStore::set(const std::string& application, const std::string& section, const std::string& key,
                             const std::string& value)
{
    const std::wstring path = SectionKey(application, section);
    win32::RegistryKey sectionKey;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, sectionKey.out(), nullptr);
    if (status == ERROR_SUCCESS) {
        const std::wstring text = win32::Wide(value);
        status = RegSetValueExW(sectionKey.get(), win32::Wide(key).c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    if (status != ERROR_SUCCESS)
        throw win32::SystemFailure("The setting cannot be stored in HKEY_CURRENT_USER\\" + win32::Utf8(path),
                                   static_cast<DWORD>(status));
}

}  // namespace pv
