#include <QSettings>
#include <QTemporaryDir>

#include "contract/settings_store_contract.h"
#include "platform/qt/qt_settings_store.h"

namespace pv::testing {
namespace {

// The store keeps its files in a fresh configuration folder of its own.
class QtSettingsStoreWorld {
public:
    QtSettingsStoreWorld() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path()); }

    SettingsStore& store() { return store_; }

private:
    QTemporaryDir folder_;
    QtSettingsStore store_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, SettingsStoreContract, QtSettingsStoreWorld);

}  // namespace
}  // namespace pv::testing
