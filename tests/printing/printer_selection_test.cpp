#include <gtest/gtest.h>

#include "fakes/form_harness.h"
#include "printing/printer_selection.h"

namespace pv::testing {
namespace {

const std::string kChoiceKey = "Quillmark/Pressvale/Combo1";

struct PrinterBoxTest : ::testing::Test {
    FormHarness h;

    void start(std::vector<std::string> printers, std::string defaultName)
    {
        h.printers.names = std::move(printers);
        h.printers.defaultName = std::move(defaultName);
        h.form.Form_Load();
    }
};

TEST_F(PrinterBoxTest, FirstStartSelectsTheDefaultPrinter)
{
    start({"beta", "alpha"}, "alpha");
    EXPECT_EQ(h.combo.text(), "alpha");
}

TEST_F(PrinterBoxTest, EveryChoiceIsStoredAtOnceAsItsPosition)
{
    start({"alpha", "beta"}, "alpha");
    h.combo.setCurrentIndex(1);
    EXPECT_EQ(h.settings.values[kChoiceKey], "1");
    h.combo.setCurrentIndex(0);
    EXPECT_EQ(h.settings.values[kChoiceKey], "0");
}

TEST_F(PrinterBoxTest, ALaterStartRestoresThePositionWhicheverPrinterSitsThere)
{
    h.settings.values[kChoiceKey] = "1";
    start({"alpha", "gamma", "beta"}, "alpha");
    EXPECT_EQ(h.combo.text(), "gamma");
}

TEST_F(PrinterBoxTest, UnusableStoredValuesSelectNothingSilently)
{
    for (const char* stored : {"7", "-1", "abc", "1.5", "99999999999999999999", " "}) {
        FormHarness other;
        other.settings.values[kChoiceKey] = stored;
        other.printers.names = {"alpha", "beta", "gamma"};
        other.printers.defaultName = "alpha";
        other.form.Form_Load();
        EXPECT_EQ(other.combo.currentIndex(), -1) << stored;
        EXPECT_TRUE(other.boxes.shown.empty()) << stored;
        EXPECT_EQ(other.settings.values[kChoiceKey], stored) << "an unusable value is left as it is";
    }
}

TEST_F(PrinterBoxTest, HiddenPrintersGoEvenWhenAdjacentAndLowerCaseStays)
{
    start({"Quillmark A", "alpha", "Quillmark B", "QuillmarkC", "quillmark d", "beta"}, "alpha");
    EXPECT_EQ(h.combo.items, (std::vector<std::string>{"alpha", "quillmark d", "beta"}));
}

TEST_F(PrinterBoxTest, TheStoredPositionRefersToTheListBeforeFiltering)
{
    h.settings.values[kChoiceKey] = "2";
    start({"Quillmark A", "alpha", "beta"}, "alpha");
    EXPECT_EQ(h.combo.text(), "beta");
}

TEST_F(PrinterBoxTest, ChoosingAPrinterLeavesTheDefaultAlone)
{
    start({"alpha", "beta"}, "alpha");
    h.combo.setCurrentIndex(1);
    EXPECT_TRUE(h.printers.setDefaultCalls.empty());
    EXPECT_EQ(h.printers.defaultName, "alpha");
}

TEST(GetDefaultPrinter, ReportsAFailureInItsOwnFormatAndGivesNoName)
{
    FakePrinters printers;
    FakeMessageBoxes boxes;
    ErrorReports reports(boxes, "x@y.test");
    printers.defaultFailure = Failure("The print system is not running.", 1282);
    EXPECT_EQ(GetDefaultPrinter(printers, reports), std::nullopt);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text.rfind("Error No: 1282\r\n", 0), 0u);
}

TEST(EnsureDefaultPrinter, PassesOnlyWhileThePrintSystemNamesTheChosenPrinterAsDefault)
{
    FakePrinters printers;
    printers.names = {"alpha", "beta"};
    printers.defaultName = "alpha";
    EXPECT_NO_THROW(EnsureDefaultPrinter(printers, "alpha"));

    printers.defaultName = "beta";
    try {
        EnsureDefaultPrinter(printers, "alpha");
        ADD_FAILURE() << "a file would go to another printer";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), failure_code::kPrinterNotFound);
        EXPECT_EQ(failure.description(),
                  "The printer \"alpha\" is no longer the default printer, so this file was not printed.");
    }

    // Unreachable: the print system's own failure reaches the caller unchanged.
    printers.installedFailure = Failure("The print system is not running.", 1282);
    try {
        EnsureDefaultPrinter(printers, "beta");
        ADD_FAILURE() << "a file was taken for printable while the print system is away";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), 1282);
    }
}

}  // namespace
}  // namespace pv::testing
