#pragma once

#include <gtest/gtest.h>

#include <string>

#include "services/settings_store.h"

namespace pv::testing {

// What a SettingsStore promises the core, run against the fake and the real one alike.
//
// A World gives a store that holds nothing yet:
//   SettingsStore& store();
template <class World>
class SettingsStoreContract : public ::testing::Test {
protected:
    SettingsStore& store() { return world.store(); }

    World world;
};

TYPED_TEST_SUITE_P(SettingsStoreContract);

TYPED_TEST_P(SettingsStoreContract, AnAbsentKeyReadsEmpty)
{
    EXPECT_EQ(this->store().get("App", "Section", "Key"), "");
    this->store().set("App", "Section", "Other", "1");
    EXPECT_EQ(this->store().get("App", "Section", "Key"), "");
}

TYPED_TEST_P(SettingsStoreContract, AValueReadsBackAsLastWritten)
{
    SettingsStore& store = this->store();
    store.set("App", "Section", "Key", "1");
    EXPECT_EQ(store.get("App", "Section", "Key"), "1");
    store.set("App", "Section", "Key", "12");
    EXPECT_EQ(store.get("App", "Section", "Key"), "12");
    store.set("App", "Section", "Key", "");
    EXPECT_EQ(store.get("App", "Section", "Key"), "");
}

// Texts that a plain "key=value" line would not carry unchanged.
TYPED_TEST_P(SettingsStoreContract, AnyTextReadsBackUnchanged)
{
    SettingsStore& store = this->store();
    for (const std::string value : {"1,2", " padded ", "a=b", "; not a comment", "# neither", "\"quoted\"",
                                    "back\\slash", "[Section]", "two\nlines", "caf\xC3\xA9", "-0", "true"}) {
        store.set("App", "Section", "Key", value);
        EXPECT_EQ(store.get("App", "Section", "Key"), value);
    }
}

TYPED_TEST_P(SettingsStoreContract, ApplicationSectionAndKeyEachTellValuesApart)
{
    SettingsStore& store = this->store();
    store.set("App", "Section", "Key", "1");
    store.set("Other", "Section", "Key", "2");
    store.set("App", "Other", "Key", "3");
    store.set("App", "Section", "Other", "4");
    EXPECT_EQ(store.get("App", "Section", "Key"), "1");
    EXPECT_EQ(store.get("Other", "Section", "Key"), "2");
    EXPECT_EQ(store.get("App", "Other", "Key"), "3");
    EXPECT_EQ(store.get("App", "Section", "Other"), "4");
    EXPECT_EQ(store.get("Other", "Other", "Key"), "");
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreContract, AnAbsentKeyReadsEmpty, AValueReadsBackAsLastWritten,
                            AnyTextReadsBackUnchanged, ApplicationSectionAndKeyEachTellValuesApart);

}  // namespace pv::testing
