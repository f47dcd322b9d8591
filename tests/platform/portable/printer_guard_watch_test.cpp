#include <map>

#include <gtest/gtest.h>

#include "fakes/fake_services.h"
#include "platform/portable/printer_guard_watch.h"

namespace pv::testing {
namespace {

using namespace printer_guard;
using namespace switch_record;

// The record kept in memory; `self` is the program that calls, `running` the programs alive.
class MemoryRecordStore final : public SwitchRecordStore {
public:
    bool lock() noexcept override { return usable; }
    void unlock() noexcept override {}
    std::optional<std::string> read() override { return text; }
    void write(const std::string& written) override { text = written; }
    void remove() noexcept override { text.reset(); }
    void removeLoginEntry() noexcept override {}
    ProgramIdentity self() override { return me; }
    bool runs(const ProgramIdentity& program) override
    {
        return std::find(running.begin(), running.end(), program) != running.end();
    }

    bool usable = true;
    std::optional<std::string> text;
    ProgramIdentity me;
    std::vector<ProgramIdentity> running;
};

const std::string kOdd = "\\\\server\\Label 2 \xC3\xA9\xED\xA0\x80%\n";  // a lone surrogate in WTF-8

// What the guard does with what the program wrote before it ended, arriving byte by byte, where
// no record could be kept: names of any bytes reach the printers unchanged, and only a default
// that a run set is put back.
TEST(PrinterGuardWatch, PutsTheReplacedDefaultBackOnlyWhileARunsPrinterIsTheDefault)
{
    const struct {
        const char* name;
        std::string written, defaultAtTheEnd;
        std::vector<std::string> putBack;
    } cases[] = {
        {"ended under the run", Record(kReplaced, "office") + Record(kWatch, kOdd), kOdd, {"office"}},
        {"replaced none", Record(kReplaced, "") + Record(kWatch, "label"), "label", {""}},
        {"said it is done", Record(kReplaced, "office") + Record(kWatch, "label") + Record(kDone), "label", {}},
        {"a switch that did not take", Record(kReplaced, "office") + Record(kWatch, "label"), "office", {"office"}},
        {"another default since", Record(kReplaced, "office") + Record(kWatch, "label"), "other", {}},
        {"no switch told", Record(kReplaced, "office"), "office", {}},
    };
    for (const auto& c : cases) {
        FakePrinters printers;
        printers.names = {"office", "label", "other", kOdd};
        printers.defaultName = c.defaultAtTheEnd;
        std::size_t next = 0;
        int watchingSaid = 0;
        MemoryRecordStore noRecord;
        noRecord.usable = false;
        Settle(noRecord, printers,
               WatchProgram([&] { return c.written.substr(std::min(next++, c.written.size()), 1); },
                            [&] { ++watchingSaid; }));
        EXPECT_EQ(watchingSaid, 1) << c.name;
        EXPECT_EQ(printers.setDefaultCalls, c.putBack) << c.name;
    }
}

// The record two programs' runs share, step by step ("a join office": a's run found office the
// default; "guard a": a's guard once a has ended; "start": a program's start): the default goes
// back once, to the one before the first run, when no program of the record runs any more, and
// only while it is one of the record's printers.
TEST(SwitchRecord, TheDefaultGoesBackWhenTheLastProgramOfTheRecordHasEnded)
{
    const std::map<std::string, ProgramIdentity> programs{
        {"a", {"host", "", "11", "boot+5"}},  // a user name that could not be read
        {"b", {"host", "1000", "12", "boot+9"}}};
    const std::string leftByA = Format({"office", {"label", kOdd}, {programs.at("a")}});
    const struct {
        const char* name;
        std::vector<std::string> steps;
        std::vector<std::string> putBack;
        bool recordLeft;
    } cases[] = {
        {"b's run ends after a's",
         {"a join office", "a add label", "default label", "b join label", "a leave office", "b leave label"},
         {"office"},
         false},
        {"a killed while b prints",
         {"a join office", "a add label", "default label", "b join label", "a dies", "guard a", "default label",
          "b leave label"},
         {"office"},
         false},
        {"a start after a power cut", {"record " + leftByA, "default " + kOdd, "a dies", "start"}, {"office"}, false},
        {"the user's choice since stays", {"record " + leftByA, "default other", "a dies", "start"}, {}, false},
        {"a record that is no record goes",
         {"record Pressvale default printer switch\nprinter %4", "start"},
         {},
         false},
        {"a print system that fails keeps it",
         {"record " + leftByA, "default label", "a dies", "fail", "start"},
         {"office"},
         true},
    };
    for (const auto& c : cases) {
        MemoryRecordStore store;
        store.running = {programs.at("a"), programs.at("b")};
        FakePrinters printers;
        printers.names = {"office", "label", "other", kOdd};
        printers.defaultName = "office";
        std::map<std::string, ProgramSwitches> switches;
        for (const std::string& step : c.steps) {
            const std::size_t blank = std::min(step.find(' '), step.size());
            const std::string who = step.substr(0, blank);
            const std::string rest = step.substr(std::min(blank + 1, step.size()));
            const std::string what = rest.substr(0, rest.find(' '));
            const std::string name = rest.substr(std::min(what.size() + 1, rest.size()));
            if (programs.count(who))
                store.me = programs.at(who);
            if (what == "join")
                switches.try_emplace(who, store).first->second.join(name);
            else if (what == "add")
                switches.at(who).add(name);
            else if (what == "leave")
                switches.at(who).leave(name, [&](const std::string& replaced) { printers.setDefault(replaced); });
            else if (what == "dies")
                std::erase(store.running, store.me);
            else if (who == "guard")
                Settle(store, printers, SwitchRecord{"office", {"label"}, {programs.at(what)}});
            else if (who == "start")
                Settle(store, printers);
            else if (who == "default")
                printers.defaultName = rest;
            else if (who == "record")
                store.text = rest;
            else if (who == "fail")
                printers.setDefaultFailure = Failure("the scheduler is not running", 1);
        }
        EXPECT_EQ(printers.setDefaultCalls, c.putBack) << c.name;
        EXPECT_EQ(store.text.has_value(), c.recordLeft) << c.name;
    }
}

}  // namespace
}  // namespace pv::testing
