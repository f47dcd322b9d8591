#include <cups/cups.h>

#include <gmock/gmock.h>

#include <cstdlib>

#include "failure/failure.h"
#include "platform/cups/cups_printers.h"
#include "support/contract/printers_contract.h"
#include "support/private_scheduler.h"

namespace pv::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class CupsPrintersTest : public PrivateSchedulerTest {
protected:
    CupsPrinters printers;
};

// The name the client library resolves as the default, as the reader asks for it.
std::string namedDefault()
{
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    std::string name = dest ? dest->name : "";
    cupsFreeDests(dest ? 1 : 0, dest);
    return name;
}

TEST_F(CupsPrintersTest, ListsEveryQueueAndReadsTheSchedulerDefault)
{
    EXPECT_THAT(printers.installed(), ElementsAre("alpha", "beta"));
    EXPECT_EQ(printers.defaultPrinter(), "alpha");
}

TEST_F(CupsPrintersTest, SwitchesTheUserDefaultAndBack)
{
    printers.setDefault("beta");
    EXPECT_EQ(printers.defaultPrinter(), "beta");
    EXPECT_EQ(namedDefault(), "beta");
    EXPECT_EQ(commandOutput("lpstat -d"), "system default destination: beta\n");
    EXPECT_THAT(readFile(userLpoptions()), HasSubstr("Default beta\n"));

    // CUPS names are case-insensitive; the queue's own spelling is stored.
    printers.setDefault("ALPHA");
    EXPECT_EQ(printers.defaultPrinter(), "alpha");
    EXPECT_EQ(namedDefault(), "alpha");
    EXPECT_EQ(commandOutput("lpstat -d"), "system default destination: alpha\n");
    EXPECT_THAT(readFile(userLpoptions()), HasSubstr("Default alpha\n"));
}

TEST_F(CupsPrintersTest, InstancesAreNotListedButADefaultInstanceIsPutBackExactly)
{
    // The switch and the put-back change the two default lines' keywords and no other byte.
    const std::string options =
        "# the user's own\nDest  alpha   media=a4\nDest beta\nDefault beta/draft sides=two-sided-long-edge\nDest "
        "beta/photo";
    writeFile(userLpoptions(), options);
    EXPECT_THAT(printers.installed(), ElementsAre("alpha", "beta"));
    const std::string previous = printers.defaultPrinter();
    EXPECT_EQ(previous, "beta/draft");

    printers.setDefault("alpha");
    printers.setDefault(previous);
    EXPECT_EQ(printers.defaultPrinter(), "beta/draft");
    EXPECT_EQ(commandOutput("lpstat -d"), "system default destination: beta/draft\n");
    EXPECT_EQ(readFile(userLpoptions()), options);
}

TEST_F(CupsPrintersTest, UnknownNamesFailAndLeaveTheDefault)
{
    for (const std::string name : {"gamma", "alpha/nosuchinstance", "alpha "}) {
        try {
            printers.setDefault(name);
            ADD_FAILURE() << "no failure for \"" << name << "\"";
        } catch (const Failure& failure) {
            EXPECT_THAT(failure.description(), HasSubstr("\"" + name + "\""));
            EXPECT_EQ(failure.code(), failure_code::kPrinterNotFound);
        }
    }
    EXPECT_EQ(printers.defaultPrinter(), "alpha");
}

TEST_F(CupsPrintersTest, HonoursLpdestAndSaysWhenItOverridesTheChoice)
{
    // The user's own default stays as it was through a run's switch and put-back.
    writeFile(userLpoptions(), "Default alpha media=a4\n");
    setenv("LPDEST", "beta", 1);
    EXPECT_EQ(printers.defaultPrinter(), "beta");
    try {
        printers.setDefault("alpha");
        ADD_FAILURE() << "setDefault reported success while LPDEST keeps beta the default";
    } catch (const Failure& failure) {
        EXPECT_THAT(failure.description(), HasSubstr("LPDEST"));
    }
    printers.setDefault("beta");
    EXPECT_EQ(readFile(userLpoptions()), "Default alpha media=a4\n");
}

TEST_F(CupsPrintersTest, PrintersWithoutADefaultGiveAnEmptyName)
{
    // A default that names no printer leaves the printers without one.
    setenv("LPDEST", "nosuchprinter", 1);
    EXPECT_EQ(printers.defaultPrinter(), "");
    try {
        printers.isCurrentDefault("alpha");
        ADD_FAILURE() << "a printer was taken for the default while there is none";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.description(), "No default printer is set.");
        EXPECT_EQ(failure.code(), failure_code::kPrinterNotFound);
    }
}

TEST_F(CupsPrintersTest, UnreachableSchedulerIsAFailureNotAnEmptyList)
{
    const std::string missing = (schedulerDir() / "missing.sock").string();
    pointClientAt(missing);

    const auto expectUnreachable = [&](const char* operation, auto&& call) {
        try {
            call();
            ADD_FAILURE() << operation << " succeeded without a scheduler";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.code(), IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) << operation;
            EXPECT_THAT(failure.description(), HasSubstr(missing)) << operation;
        }
    };
    expectUnreachable("installed", [&] { printers.installed(); });
    expectUnreachable("defaultPrinter", [&] { printers.defaultPrinter(); });
    expectUnreachable("setDefault", [&] { printers.setDefault("alpha"); });

    // The user's own default needs no scheduler: the last default line of their options.
    writeFile(userLpoptions(), "Default alpha\nDest beta media=a4\ndefault beta/draft\n");
    EXPECT_EQ(printers.defaultPrinter(), "beta/draft");
}

}  // namespace
}  // namespace pv::testing

namespace pv::testing {
namespace {

// The private scheduler's printers, with no user default of its own at the start.
class CupsPrintersWorld {
public:
    void setUp() { UsePrivateScheduler(); }
    Printers& printers() { return printers_; }
    std::vector<std::string> installed() const { return {"alpha", "beta"}; }
    std::string initialDefault() const { return "alpha"; }
    // A destination that does not exist outranks every default.
    void removeDefault() { setenv("LPDEST", "nosuchprinter", 1); }
    bool makeUnreachable()
    {
        const std::string missing = (PrivateSchedulerTest::schedulerDir() / "missing.sock").string();
        setenv("CUPS_SERVER", missing.c_str(), 1);
        cupsSetServer(missing.c_str());
        return true;
    }

private:
    CupsPrinters printers_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Cups, PrintersContract, CupsPrintersWorld);

}  // namespace
}  // namespace pv::testing
