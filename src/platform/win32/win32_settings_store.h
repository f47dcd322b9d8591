#pragma once

#include "services/settings_store.h"

namespace pv {

// Settings in the registry area Windows keeps for such application settings:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, one text
// value (REG_SZ) per key.
class Win32SettingsStore final : public SettingsStore {
public:
    std::string get(const std::string& application, const std::string& section, const std::string& key) override;
    void set(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) override;
};

}  // namespace pv
