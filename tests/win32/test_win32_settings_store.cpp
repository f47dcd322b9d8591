#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_settings_store.h"
#include "platform/win32/wide_text.h"

namespace pv {
namespace {

constexpr char kApplication[] = "Pressvale Test \xc3\x84pp";  // "Pressvale Test Äpp"

class Win32SettingsStoreTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\VB and VBA Program Settings\\" + win32::Wide(kApplication)).c_str());
    }

    Win32SettingsStore store;
};

TEST_F(Win32SettingsStoreTest, AStoredValueIsFoundAsTextUnderTheApplicationsKey)
{
    EXPECT_EQ(store.get(kApplication, "Pressvale", "Combo1"), "");
    store.set(kApplication, "Pressvale", "Combo1", "3");
    EXPECT_EQ(store.get(kApplication, "Pressvale", "Combo1"), "3");
    EXPECT_EQ(store.get(kApplication, "Pressvale", "Other"), "");
    EXPECT_EQ(store.get(kApplication, "Elsewhere", "Combo1"), "");

    // The registry holds decimal text where other programs of the platform look for it.
    wchar_t value[16];
    DWORD bytes = sizeof value;
    DWORD type = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER,
                           (L"Software\\VB and VBA Program Settings\\" + win32::Wide(kApplication) + L"\\Pressvale").c_str(),
                           L"Combo1", RRF_RT_ANY, &type, value, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(value), L"3");

    store.set(kApplication, "Pressvale", "Combo1", "12");
    EXPECT_EQ(store.get(kApplication, "Pressvale", "Combo1"), "12");
}

TEST_F(Win32SettingsStoreTest, AnyTextComesBackUnchanged)
{
    const std::string text = "\xe6\x97\xa5\xe6\x9c\xac, \"quoted\"; " + std::string(5000, 'x');
    store.set(kApplication, "Se\xc3\xa7\xc3\xa3o", "K\xc3\xa9y", text);
    EXPECT_EQ(store.get(kApplication, "Se\xc3\xa7\xc3\xa3o", "K\xc3\xa9y"), text);
    store.set(kApplication, "Se\xc3\xa7\xc3\xa3o", "K\xc3\xa9y", "");
    EXPECT_EQ(store.get(kApplication, "Se\xc3\xa7\xc3\xa3o", "K\xc3\xa9y"), "");
}

}  // namespace
}  // namespace pv
