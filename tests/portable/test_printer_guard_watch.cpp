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

// The record that the runs of two programs, a and b, share: the default goes back once, to the
// one from before the first run, when no program named in it runs any more; a start after a
// power cut puts it back; a default chosen since stays.
TEST(SwitchRecord, TheDefaultGoesBackWhenTheLastProgramOfTheRecordHasEnded)
{
    const ProgramIdentity a{"host", "1000", "11", "boot+5"};
    const ProgramIdentity b{"host", "1000", "12", "boot+9"};
    const auto putBackThrough = [](FakePrinters& printers) {
        return [&printers](const std::string& name) { printers.setDefault(name); };
    };
    using Steps = std::function<void(MemoryRecordStore&, FakePrinters&)>;
    const struct {
        const char* name;
        Steps steps;
        std::vector<std::string> putBack;
        bool recordLeft;
    } cases[] = {
        {"a alone ends its run",
         [&](MemoryRecordStore& store, FakePrinters& printers) {
             ProgramSwitches switches(store);
             switches.join("office");
             switches.add(kOdd);
             printers.defaultName = kOdd;
             switches.leave("office", putBackThrough(printers));
         },
         {"office"},
         false},
        {"a's run ends while b's goes on, then b's",
         [&](MemoryRecordStore& store, FakePrinters& printers) {
             ProgramSwitches first(store), second(store);
             first.join("office");
             first.add("label");
             printers.defaultName = "label";
             store.me = b;
             second.join("label");
             second.add("label");
             store.me = a;
             first.leave("office", putBackThrough(printers));
             EXPECT_TRUE(printers.setDefaultCalls.empty());
             store.me = b;
             second.leave("label", putBackThrough(printers));
         },
         {"office"},
         false},
        {"a killed while b prints: its guard leaves the default to b",
         [&](MemoryRecordStore& store, FakePrinters& printers) {
             ProgramSwitches first(store), second(store);
             first.join("office");
             first.add("label");
             printers.defaultName = "label";
             store.me = b;
             second.join("label");
             store.running = {b};
             EXPECT_TRUE(Settle(store, printers, SwitchRecord{"office", {"label"}, {a}}));
             EXPECT_TRUE(printers.setDefaultCalls.empty());
             second.leave("label", putBackThrough(printers));
         },
         {"office"},
         false},
        {"a start after a power cut",
         [&](MemoryRecordStore& store, FakePrinters& printers) {
             store.text = Format({"", {"label", kOdd}, {a}});
             printers.defaultName = kOdd;
             store.running = {b};
             EXPECT_TRUE(Settle(store, printers));
         },
         {""},
         false},
        {"the user's choice since stays",
         [&](MemoryRecordStore& store, FakePrinters& printers) {
             store.text = Format({"office", {"label"}, {a}});
             store.running.clear();
             printers.defaultName = "other";
             EXPECT_TRUE(Settle(store, printers));
         },
         {},
         false},
        {"a record that is no record goes",
         [&](MemoryRecordStore& store, FakePrinters& printers) {
             store.text = "Pressvale default printer switch\nprinter %4\n";
             EXPECT_TRUE(Settle(store, printers));
         },
         {},
         false},
        {"a print system that fails keeps the record for the next start",
         [&](MemoryRecordStore& store, FakePrinters& printers) {
             store.text = Format({"office", {"label"}, {a}});
             store.running.clear();
             printers.defaultName = "label";
             printers.setDefaultFailure = Failure("the scheduler is not running", 1);
             EXPECT_FALSE(Settle(store, printers));
         },
         {"office"},
         true},
    };
    for (const auto& c : cases) {
        MemoryRecordStore store;
        store.me = a;
        store.running = {a, b};
        FakePrinters printers;
        printers.names = {"office", "label", "other", kOdd};
        printers.defaultName = "office";
        c.steps(store, printers);
        EXPECT_EQ(printers.setDefaultCalls, c.putBack) << c.name;
        EXPECT_EQ(store.text.has_value(), c.recordLeft) << c.name;
    }
}

}  // namespace
}  // namespace pv::testing
