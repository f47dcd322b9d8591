#pragma once

#include <string>

namespace pv {

// The per-user store of text values, addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text; an empty text when the key is absent or the store cannot be read.
    virtual std::string get(const std::string& application, const std::string& section, const std::string& key) = 0;
    // Throws Failure when the value cannot be stored.
    virtual void set(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

}  // namespace pv
