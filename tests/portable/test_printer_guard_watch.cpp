#include <gtest/gtest.h>

#include "fakes/fake_services.h"
#include "platform/portable/printer_guard_watch.h"

namespace pv::testing {
namespace {

using namespace printer_guard;

// What the guard does with what the program wrote before it ended, arriving byte by byte: names
// of any bytes reach the printers unchanged, and only a default that a run set is put back.
TEST(PrinterGuardWatch, PutsTheReplacedDefaultBackOnlyWhileARunsPrinterIsTheDefault)
{
    const std::string odd = "\\\\server\\Label 2 \xC3\xA9\xED\xA0\x80";  // a lone surrogate in WTF-8
    const struct {
        const char* name;
        std::string written, defaultAtTheEnd;
        std::vector<std::string> putBack;
    } cases[] = {
        {"ended under the run", Record(kReplaced, "office") + Record(kWatch, odd), odd, {"office"}},
        {"replaced none", Record(kReplaced, "") + Record(kWatch, "label"), "label", {""}},
        {"said it is done", Record(kReplaced, "office") + Record(kWatch, "label") + Record(kDone), "label", {}},
        {"a switch that did not take", Record(kReplaced, "office") + Record(kWatch, "label"), "office", {"office"}},
        {"another default since", Record(kReplaced, "office") + Record(kWatch, "label"), "other", {}},
        {"no switch told", Record(kReplaced, "office"), "office", {}},
    };
    for (const auto& c : cases) {
        FakePrinters printers;
        printers.names = {"office", "label", "other", odd};
        printers.defaultName = c.defaultAtTheEnd;
        std::size_t next = 0;
        int watchingSaid = 0;
        WatchProgram([&] { return c.written.substr(std::min(next++, c.written.size()), 1); }, [&] { ++watchingSaid; },
                     printers);
        EXPECT_EQ(watchingSaid, 1) << c.name;
        EXPECT_EQ(printers.setDefaultCalls, c.putBack) << c.name;
    }
}

}  // namespace
}  // namespace pv::testing
