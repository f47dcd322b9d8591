#include <windows.h>
#include <gtest/gtest.h>

#include "platform/win32/win32_settings_store.h"
#include "platform/win32_support/wide_text.h"
#include "support/contract/settings_store_contract.h"

namespace pv::testing {
namespace {

TEST(Win32SettingsStoreTest, AStoredValueIsFoundAsTextUnderTheApplicationsKey)
{
    const std::wstring key = L"Software\\VB and VBA Program Settings\\Pressvale Test \u00c4pp";
    Win32SettingsStore store;
    store.set("Pressvale Test \xc3\x84pp", "Pressvale", "Combo1", "3");

    // Decimal text where other programs of the platform look for it.
    wchar_t value[16];
    DWORD bytes = sizeof value;
    DWORD type = 0;
    ASSERT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, (key + L"\\Pressvale").c_str(), L"Combo1", RRF_RT_ANY, &type, value, &bytes),
        ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(value), L"3");

    const std::string text = "\xe6\x97\xa5\xe6\x9c\xac \"q\" " + std::string(5000, 'x');
    store.set("Pressvale Test \xc3\x84pp", "Se\xc3\xa7\xc3\xa3o", "K\xc3\xa9y", text);
    EXPECT_EQ(store.get("Pressvale Test \xc3\x84pp", "Se\xc3\xa7\xc3\xa3o", "K\xc3\xa9y"), text);
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

// The store of the current user, without the applications that the contract writes under.
class Win32SettingsStoreWorld {
public:
    Win32SettingsStoreWorld() { removeApplications(); }
    ~Win32SettingsStoreWorld() { removeApplications(); }

    SettingsStore& store() { return store_; }

private:
    static void removeApplications()
    {
        for (const wchar_t* application : {L"App", L"Other"})
            RegDeleteTreeW(HKEY_CURRENT_USER,
                           (std::wstring(L"Software\\VB and VBA Program Settings\\") + application).c_str());
    }

    Win32SettingsStore store_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, SettingsStoreContract, Win32SettingsStoreWorld);

}  // namespace
}  // namespace pv::testing
