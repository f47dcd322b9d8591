#pragma once

#include "services/settings_store.h"

namespace pv {

// The per-user settings store as INI files in the user's configuration folder, one file per
// application: (application, section, key) is "<config>/<application>.ini", [section], key.
//
// A damaged file still yields the values Qt could read from it. A write rewrites the whole
// file with only the lines Qt understood, so before a file with anything else in it (a broken
// section header, a line without a key, bytes that are not UTF-8) is written, its full
// content is kept beside it as "<name>.corrupt-<time>". A file that cannot be read is never
// written.
class QtSettingsStore final : public SettingsStore {
public:
    std::string get(const std::string& application, const std::string& section, const std::string& key) override;
    void set(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) override;
};

}  // namespace pv
