// A print system with printers and no default printer anywhere (none set by the scheduler,
// none in the user's options): the program starts without a report and with nothing chosen,
// prints on the printer the user picks, and leaves the system without a default again.

#include <gmock/gmock.h>

#include "print_run_fixture.h"

namespace pv::testing {
namespace {

namespace fs = std::filesystem;

using NoDefaultPrinter = PrintRunFixture;

TEST_F(NoDefaultPrinter, StartsQuietlyPrintsOnTheChosenPrinterAndLeavesNoDefault)
{
    RealProgram program;
    EXPECT_TRUE(program.boxes.shown.empty()) << program.boxes.shown.front().text;
    EXPECT_EQ(program.window.comboBox().count(), 2);
    EXPECT_EQ(program.window.comboBox().currentIndex(), -1);
    ASSERT_EQ(program.printers.defaultPrinter(), "");

    const std::vector<fs::path> rows{addDocument("one.pdf", "one"), addDocument("two.pdf", "two")};
    program.addRows(rows);
    program.choosePrinter("label");
    program.click(2);

    EXPECT_EQ(jobsOn("label"), contentsOf(rows));
    EXPECT_TRUE(jobsOn("office").empty());
    EXPECT_EQ(program.boxTexts(), std::vector<std::string>{"Done."});
    EXPECT_EQ(program.printers.defaultPrinter(), "");
    EXPECT_THAT(readFile(userLpoptions()), ::testing::Not(::testing::HasSubstr("Default")));
}

TEST_F(NoDefaultPrinter, ClosingTheWindowMidRunLeavesNoDefault)
{
    RealProgram program;
    program.window.show();
    program.addRows({addDocument("one.pdf", "one"), addDocument("two.pdf", "two")});
    program.choosePrinter("office");
    WhenReady close([&] { return jobsOn("office").size() == 1; }, [&] { program.window.close(); });
    program.clickInTheEventLoop(2);

    ASSERT_TRUE(close.done);
    EXPECT_EQ(program.printers.defaultPrinter(), "");
    EXPECT_EQ(jobsOn("office").size(), 1u);
}

}  // namespace
}  // namespace pv::testing
