#include "fakes/fake_services.h"
#include "support/contract/printers_contract.h"
#include "support/contract/settings_store_contract.h"

namespace pv::testing {
namespace {

class FakePrintersWorld {
public:
    void setUp()
    {
        fake_.names = installed();
        fake_.defaultName = initialDefault();
    }
    Printers& printers() { return fake_; }
    std::vector<std::string> installed() const { return {"alpha", "beta"}; }
    std::string initialDefault() const { return "alpha"; }
    void removeDefault() { fake_.defaultName.clear(); }
    bool makeUnreachable()
    {
        const Failure unreachable("The print system cannot be reached", 1001);
        fake_.installedFailure = fake_.defaultFailure = fake_.setDefaultFailure = unreachable;
        return true;
    }

private:
    FakePrinters fake_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, PrintersContract, FakePrintersWorld);

}  // namespace
}  // namespace pv::testing

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
