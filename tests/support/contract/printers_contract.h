#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "failure/failure.h"
#include "services/printers.h"

namespace pv::testing {

// What Printers promises the core, run against the fake and the real one alike.
//
// A World gives the printers under test, set up with at least two installed printers:
//   void setUp();                          // before each test; may fail it
//   Printers& printers();
//   std::vector<std::string> installed();  // the installed names, in the print system's order
//   std::string initialDefault();          // the default it was set up with
//   void removeDefault();                  // leaves the printers without a default printer
//   bool makeUnreachable();                // the print system no longer answers; false where
//                                          // a test cannot take it away
template <class World>
class PrintersContract : public ::testing::Test {
protected:
    void SetUp() override { world.setUp(); }

    Printers& printers() { return world.printers(); }
    // An installed printer other than the initial default.
    std::string another()
    {
        for (const std::string& name : world.installed()) {
            if (name != world.initialDefault())
                return name;
        }
        return {};
    }
    template <class Call>
    void expectFailure(const char* what, Call&& call)
    {
        try {
            call();
            ADD_FAILURE() << what << " did not fail";
        } catch (const Failure& failure) {
            EXPECT_FALSE(failure.description().empty()) << what;
        }
    }
    void expectDefault(const std::string& name)
    {
        EXPECT_EQ(printers().defaultPrinter(), name);
        for (const std::string& installed : world.installed())
            EXPECT_EQ(printers().isCurrentDefault(installed), installed == name) << installed;
    }

    World world;
};

TYPED_TEST_SUITE_P(PrintersContract);

TYPED_TEST_P(PrintersContract, ListsTheInstalledPrintersAndTheDefault)
{
    EXPECT_EQ(this->printers().installed(), this->world.installed());
    this->expectDefault(this->world.initialDefault());
    EXPECT_FALSE(this->printers().isCurrentDefault("no-such-printer"));
}

// A print run makes its printer the default and puts the previous one back at the end.
TYPED_TEST_P(PrintersContract, SetDefaultMovesTheDefaultAndPutsItBack)
{
    const std::string previous = this->printers().defaultPrinter();
    this->printers().setDefault(this->another());
    this->expectDefault(this->another());
    this->printers().setDefault(previous);
    this->expectDefault(previous);
}

// Names match without regard to case; the default then has the installed spelling.
TYPED_TEST_P(PrintersContract, ANameInOtherCaseChoosesTheInstalledPrinter)
{
    std::string shouted = this->another();
    std::transform(shouted.begin(), shouted.end(), shouted.begin(), [](unsigned char c) { return std::toupper(c); });
    ASSERT_NE(shouted, this->another());
    this->printers().setDefault(shouted);
    this->expectDefault(this->another());
}

TYPED_TEST_P(PrintersContract, AnUnknownNameFailsAndLeavesTheDefault)
{
    for (const std::string name : {"no-such-printer", "alpha beta"}) {
        try {
            this->printers().setDefault(name);
            ADD_FAILURE() << "no failure for \"" << name << "\"";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.code(), failure_code::kPrinterNotFound) << name;
            EXPECT_NE(failure.description().find("\"" + name + "\""), std::string::npos) << failure.description();
        }
    }
    this->expectDefault(this->world.initialDefault());
}

// Printers installed and none of them the default: an empty name, and no printer passes the
// check before each file.
TYPED_TEST_P(PrintersContract, PrintersWithoutADefaultGiveAnEmptyName)
{
    this->world.removeDefault();
    EXPECT_EQ(this->printers().defaultPrinter(), "");
    this->expectFailure("isCurrentDefault", [&] { this->printers().isCurrentDefault(this->world.initialDefault()); });
}

// The check before each file must not take a print system that is away for "no printers" or
// "another default".
TYPED_TEST_P(PrintersContract, AnUnreachablePrintSystemIsAFailure)
{
    if (!this->world.makeUnreachable())
        GTEST_SKIP() << "the print system cannot be taken away here";
    this->expectFailure("installed", [&] { this->printers().installed(); });
    this->expectFailure("defaultPrinter", [&] { this->printers().defaultPrinter(); });
    this->expectFailure("isCurrentDefault", [&] { this->printers().isCurrentDefault(this->world.initialDefault()); });
    this->expectFailure("setDefault", [&] { this->printers().setDefault(this->another()); });
}

REGISTER_TYPED_TEST_SUITE_P(PrintersContract, ListsTheInstalledPrintersAndTheDefault,
                            SetDefaultMovesTheDefaultAndPutsItBack, ANameInOtherCaseChoosesTheInstalledPrinter,
                            AnUnknownNameFailsAndLeavesTheDefault, PrintersWithoutADefaultGiveAnEmptyName,
                            AnUnreachablePrintSystemIsAFailure);

}  // namespace pv::testing
