#include "ui/qt/early_font_configuration.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace pv {
namespace {

// Runs MoveToEndOfEnvironment on an environment of the given entries, put in place of the
// process's own for the call, and gives back the entries in their new order.
std::vector<std::string> Moved(std::vector<std::string> entries, std::initializer_list<const char*> names)
{
    std::vector<char*> array;
    for (std::string& entry : entries)
        array.push_back(entry.data());
    array.push_back(nullptr);
    char** const own = environ;
    environ = array.data();
    MoveToEndOfEnvironment(names);
    environ = own;
    std::vector<std::string> order;
    for (char** entry = array.data(); *entry; ++entry)
        order.emplace_back(*entry);
    return order;
}

TEST(EarlyFontConfigurationTest, TheVariablesQtTakesOutGoLastAndNothingElseMoves)
{
    EXPECT_EQ(Moved({"A=1", "DESKTOP_STARTUP_ID=id", "B=2", "XDG_ACTIVATION_TOKEN=t", "C=3"},
                    {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"}),
              (std::vector<std::string>{"A=1", "B=2", "C=3", "DESKTOP_STARTUP_ID=id", "XDG_ACTIVATION_TOKEN=t"}));
    // Only whole names match, an unset name changes nothing, and an empty environment is left alone.
    EXPECT_EQ(Moved({"DESKTOP_STARTUP_ID_X=1", "DESKTOP_STARTUP_I=2", "Z=3"}, {"DESKTOP_STARTUP_ID"}),
              (std::vector<std::string>{"DESKTOP_STARTUP_ID_X=1", "DESKTOP_STARTUP_I=2", "Z=3"}));
    EXPECT_EQ(Moved({"DESKTOP_STARTUP_ID=", "A=1"}, {"DESKTOP_STARTUP_ID"}),
              (std::vector<std::string>{"A=1", "DESKTOP_STARTUP_ID="}));
    EXPECT_TRUE(Moved({}, {"DESKTOP_STARTUP_ID"}).empty());
}

TEST(EarlyFontConfigurationTest, StartingItPutsTheStartUpNoticeLast)
{
    setenv("DESKTOP_STARTUP_ID", "launcher-1", 1);
    setenv("PRESSVALE_TEST_AFTER", "1", 1);
    EarlyFontConfiguration().finish();
    char** last = environ;
    while (last[1])
        ++last;
    EXPECT_STREQ(*last, "DESKTOP_STARTUP_ID=launcher-1");
    unsetenv("DESKTOP_STARTUP_ID");
    unsetenv("PRESSVALE_TEST_AFTER");
}

}  // namespace
}  // namespace pv
