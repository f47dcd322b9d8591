// The whole print run on this machine: the real window (offscreen), the real file system,
// processes and CUPS, the stand-in reader found below the build tree's libexec folder, and a
// private scheduler whose printers write every job to a file. Only the message boxes are
// answered by the test.

#include "print_run_fixture.h"

namespace pv::testing {
namespace {

namespace fs = std::filesystem;

using PrintRunEndToEnd = PrintRunFixture;

TEST_F(PrintRunEndToEnd, PrintsEveryRowInOrderOnTheChosenPrinterAndPutsTheDefaultBack)
{
    RealProgram program;
    ASSERT_TRUE(program.boxes.shown.empty()) << program.boxes.shown.front().text;
    ASSERT_EQ(program.printers.defaultPrinter(), "office");

    const std::vector<fs::path> files{
        addDocument("plain.pdf", "one"),
        addDocument("with space.pdf", "two"),
        addDocument("-dash \"quoted\" back\\slash\\.pdf", "three"),
        addDocument("caf\xe9 $(touch pwned).pdf", "four"),
        addDocument("plain.pdf.copy.pdf", "five"),
    };
    const std::vector<fs::path> rows{files[0], files[1], files[2], files[0], files[3], files[4]};
    program.addRows(rows);
    program.choosePrinter("label");

    program.click(2);

    EXPECT_EQ(jobsOn("label"), contentsOf(rows));
    EXPECT_TRUE(jobsOn("office").empty());
    EXPECT_EQ(program.printers.defaultPrinter(), "office");
    EXPECT_EQ(program.boxTexts(), std::vector<std::string>{"Done."});
    EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

}  // namespace
}  // namespace pv::testing
