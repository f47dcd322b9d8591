#include <gtest/gtest.h>

#include "base/error_reports.h"
#include "base/guard.h"
#include "fakes/fake_services.h"

namespace pv::testing {
namespace {

const Failure kBroken("Broken\r\nacross lines", 76);

TEST(ErrorReport, IsComposedCharacterForCharacter)
{
    EXPECT_EQ(ComposeErrorReport("in Pagevane2/11/2015.Form1.Form_Load ", 132, kBroken, "help@x.test"),
              "Broken\r\nacross lines\r\nin Pagevane2/11/2015.Form1.Form_Load at line 132\r\r"
              "Please email screenshot of this message to help@x.test");
}

TEST(ErrorReport, IsShownWithExclamationAndItsOwnTitle)
{
    FakeMessageBoxes boxes;
    ErrorReports reports(boxes, "help@x.test");
    reports.showErrorReport("in X ", 100, kBroken);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Application Error");
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::Ok);
}

TEST(PrinterQueryReport, PutsTheCodeBeforeTheDescription)
{
    FakeMessageBoxes boxes;
    ErrorReports reports(boxes, "help@x.test");
    reports.showPrinterQueryReport(Failure("No default printer", 1801));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              "Error No: 1801\r\nNo default printer\r\nHas occured in modPrinters.GetDefaultPrinter\r\n"
              "Please contact Technical Support");
    EXPECT_EQ(boxes.shown[0].title, "Pressvale");
    EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Critical);
}

struct GuardTest : ::testing::Test {
    FakeMessageBoxes boxes;
    ErrorReports reports{boxes, "help@x.test"};
    Guard guard{"in Proc ", reports};

    std::vector<int> lines() const { return ReportedLines(boxes, "in Proc"); }
};

TEST_F(GuardTest, ReportsEachFailingStepInOrderAndGoesOn)
{
    std::vector<int> ran;
    guard.step(100, [&] { ran.push_back(100); });
    guard.step(102, [&] { throw Failure("first", 1); });
    guard.step(104, [&] { ran.push_back(104); });
    guard.step(106, [&] { throw Failure("second", 2); });
    EXPECT_EQ(ran, (std::vector<int>{100, 104}));
    EXPECT_EQ(lines(), (std::vector<int>{102, 106}));
}

TEST_F(GuardTest, AFailedStepLeavesTheValueItWasToProduce)
{
    std::string value = "earlier";
    guard.step(100, [&] { value = []() -> std::string { throw Failure("no value", 9); }(); });
    EXPECT_EQ(value, "earlier");
}

TEST_F(GuardTest, AFailingTestCountsAsPassed)
{
    EXPECT_TRUE(guard.test(104, []() -> bool { throw Failure("cannot tell", 5); }));
    EXPECT_FALSE(guard.test(106, [] { return false; }));
    EXPECT_EQ(lines(), std::vector<int>{104});
}

TEST_F(GuardTest, AnyExceptionIsReportedNotPropagated)
{
    guard.step(100, [] { throw std::runtime_error("out of memory"); });
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text.rfind("out of memory\r\n", 0), 0u);
}

TEST_F(GuardTest, AHandledFailureEndsTheProcedureWithoutReport)
{
    guard.setFailureHandler([](const Failure& failure) { return failure.code() == 20476; });
    guard.step(100, [] { throw Failure("other", 1); });
    guard.step(102, [] { throw Failure("overflow", 20476); });
    bool ranAfter = false;
    guard.step(104, [&] { ranAfter = true; });
    EXPECT_FALSE(ranAfter);
    EXPECT_TRUE(guard.ended());
    EXPECT_FALSE(guard.test(106, [] { return true; }));
    EXPECT_EQ(lines(), std::vector<int>{100});
}

}  // namespace
}  // namespace pv::testing
