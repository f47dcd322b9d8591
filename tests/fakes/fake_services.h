#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "failure/failure.h"
#include "services/clock.h"
#include "services/default_printer_guard.h"
#include "services/dialogs.h"
#include "services/printers.h"
#include "services/settings_store.h"
#include "services/shell.h"

namespace pv::testing {

// Records every box and answers with the scripted answers in turn (OK, or Yes, when none is left).
class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Box {
        std::string text;
        std::string title;
        BoxButtons buttons;
        BoxIcon icon;
    };
    BoxAnswer show(const std::string& text, const std::string& title, BoxButtons buttons, BoxIcon icon) override;

    std::vector<Box> shown;
    std::deque<BoxAnswer> answers;
    // Runs while a box is open; may act as the user would meanwhile.
    std::function<void(const Box&)> onShow;
};

// The line each error report of `procedure` quotes ("... <procedure> at line N"), one entry
// a box in the order they were shown; -1 for a box that is no such report.
std::vector<int> ReportedLines(const FakeMessageBoxes& boxes, const std::string& procedure);

// The dialogs return what the test scripted, in turn; a Failure is thrown instead.
class FakeFileDialogs final : public FileDialogs {
public:
    using Result = std::variant<std::string, Failure>;
    std::string showOpen(const OpenFileDialogSettings& settings) override;
    std::string browseForFolder(const std::string& title) override;

    std::deque<Result> openResults;
    std::deque<Result> folderResults;
    std::vector<OpenFileDialogSettings> openedWith;
    std::vector<std::string> folderTitles;
};

class FakePrinters final : public Printers {
public:
    std::vector<std::string> installed() override;
    std::string defaultPrinter() override;
    bool isCurrentDefault(const std::string& name) override;
    void setDefault(const std::string& name) override;

    std::vector<std::string> names;
    std::string defaultName;
    std::optional<Failure> installedFailure;
    std::optional<Failure> defaultFailure;
    std::optional<Failure> setDefaultFailure;
    std::vector<std::string> setDefaultCalls;
};

// Records each call after the number of default-printer switches made before it:
// "0: arm office", "0: watch label", "2: release".
class FakeDefaultPrinterGuard final : public DefaultPrinterGuard {
public:
    explicit FakeDefaultPrinterGuard(const FakePrinters& printers) : printers_(printers) {}
    void arm(const std::string& replacedDefault) noexcept override
    {
        record("arm " + replacedDefault);
        replaced_ = replacedDefault;
    }
    void watch(const std::string& name) noexcept override { record("watch " + name); }
    // Puts back the armed default, as the last program of the record does, and is released
    // whatever that gives.
    void release(const std::function<void(const std::string&)>& putBack) override
    {
        struct Released {
            FakeDefaultPrinterGuard& guard;
            ~Released() { guard.record("release"); }
        } released{*this};
        putBack(replaced_);
    }

    std::vector<std::string> calls;

private:
    void record(const std::string& call)
    {
        calls.push_back(std::to_string(printers_.setDefaultCalls.size()) + ": " + call);
    }
    const FakePrinters& printers_;
    std::string replaced_;
};

class FakeSettingsStore final : public SettingsStore {
public:
    std::string get(const std::string& application, const std::string& section, const std::string& key) override;
    void set(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) override;

    // Keyed "application/section/key".
    std::map<std::string, std::string> values;
    int writes = 0;
};

class FakeShell final : public Shell {
public:
    std::string specialFolderPath(int folderNumber) override;
    std::string nativeProgramFilesPath() override { return nativeProgramFiles; }
    std::vector<std::string> registeredProgramPaths(const std::string& name) override
    {
        return registeredPrograms[name];
    }
    void openFolder(const std::string& folder) override;
    void openAddress(const std::string& address) override;

    std::map<int, std::string> specialFolders;
    std::string nativeProgramFiles;
    std::map<std::string, std::vector<std::string>> registeredPrograms;
    std::vector<std::string> openedFolders;
    std::vector<std::string> openedAddresses;
    std::optional<Failure> openAddressFailure;
};

// Time that passes only when the test (or a wait) moves it on.
class FakeClock final : public Clock {
public:
    double secondsSinceMidnight() override { return timeOfDay; }
    std::int64_t steadyMilliseconds() override { return steady; }
    void advance(std::chrono::milliseconds by) { steady += by.count(); }

    double timeOfDay = 12 * 3600.0;
    std::int64_t steady = 0;
};

// Hands out the scripted fraction and records the seeds.
class FakeRandomSource final : public RandomSource {
public:
    void seed(double value) override { seeds.push_back(value); }
    double next() override { return fraction; }

    double fraction = 0.5;
    std::vector<double> seeds;
};

}  // namespace pv::testing
