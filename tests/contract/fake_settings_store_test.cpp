#include "contract/settings_store_contract.h"
#include "fakes/fake_services.h"

namespace pv::testing {
namespace {

class FakeSettingsStoreWorld {
public:
    SettingsStore& store() { return fake_; }

private:
    FakeSettingsStore fake_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, SettingsStoreContract, FakeSettingsStoreWorld);

}  // namespace
}  // namespace pv::testing
