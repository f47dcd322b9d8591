#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "failure/failure.h"
#include "platform/portable/early_printers.h"

namespace pv::testing {
namespace {

// Printers whose answers change with every question. They note a question other than the
// two first ones put while any question is still being answered, and whether the two first
// questions were under way together.
class ChangingPrinters final : public Printers {
public:
    std::vector<std::string> installed() override
    {
        const InFlight asking(*this, false);
        if (installedCalls == 0)
            meet();
        return {"printer " + std::to_string(++installedCalls)};
    }
    std::string defaultPrinter() override
    {
        const InFlight asking(*this, false);
        if (defaultCalls == 0)
            meet();
        ++defaultCalls;
        if (defaultFailure)
            throw *defaultFailure;
        return "default " + std::to_string(defaultCalls);
    }
    bool isCurrentDefault(const std::string& name) override
    {
        const InFlight asking(*this, true);
        return name == "default " + std::to_string(defaultCalls);
    }
    void setDefault(const std::string& name) override
    {
        const InFlight asking(*this, true);
        setDefaultCalls.push_back(name);
    }

    std::atomic<int> installedCalls = 0;
    std::atomic<int> defaultCalls = 0;
    std::optional<Failure> defaultFailure;
    std::vector<std::string> setDefaultCalls;
    // The two first questions that have begun, and those that found the other one begun too.
    std::atomic<int> begun = 0;
    std::atomic<int> meetings = 0;
    std::atomic<bool> otherQuestionAlongside = false;

private:
    // Counts a first question as begun and waits (two seconds at most) for the other one to
    // begin too: questions asked together both meet, asked one after the other only the second.
    void meet()
    {
        ++begun;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (begun < 2 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (begun == 2)
            ++meetings;
    }

    struct InFlight {
        InFlight(ChangingPrinters& printers, bool other) : printers_(printers)
        {
            if (printers_.inFlight_++ > 0 && other)
                printers_.otherQuestionAlongside = true;
        }
        ~InFlight() { --printers_.inFlight_; }
        ChangingPrinters& printers_;
    };
    std::atomic<int> inFlight_ = 0;
};

TEST(EarlyPrintersTest, TheFirstQuestionsTakeTheAnswersAskedAtTheStart)
{
    ChangingPrinters printers;
    EarlyPrinters early(printers);
    EXPECT_EQ(early.defaultPrinter(), "default 1");
    EXPECT_EQ(early.installed(), std::vector<std::string>{"printer 1"});
    // Asked again, the print system answers afresh.
    EXPECT_EQ(early.defaultPrinter(), "default 2");
    EXPECT_EQ(early.installed(), std::vector<std::string>{"printer 2"});
}

TEST(EarlyPrintersTest, TheTwoEarlyQuestionsAreAskedTogether)
{
    ChangingPrinters printers;
    EarlyPrinters early(printers);
    early.dropEarlyAnswers();
    EXPECT_EQ(printers.meetings, 2) << "one early question waited for the other";
}

TEST(EarlyPrintersTest, AnEarlyFailureIsHandedOverAsItCame)
{
    ChangingPrinters printers;
    printers.defaultFailure = Failure("No default printer is set.", 1801);
    EarlyPrinters early(printers);
    try {
        early.defaultPrinter();
        ADD_FAILURE() << "the failure was lost";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.description(), "No default printer is set.");
        EXPECT_EQ(failure.code(), 1801);
    }
    EXPECT_EQ(early.installed(), std::vector<std::string>{"printer 1"});
}

TEST(EarlyPrintersTest, AnswersNobodyTookAreDroppedAndLaterQuestionsGoToThePrintSystem)
{
    ChangingPrinters printers;
    EarlyPrinters early(printers);
    early.dropEarlyAnswers();
    EXPECT_EQ(early.installed(), std::vector<std::string>{"printer 2"});
    EXPECT_EQ(early.defaultPrinter(), "default 2");
}

TEST(EarlyPrintersTest, OtherQuestionsWaitForTheEarlyOnesAndAreNeverPutAlongside)
{
    ChangingPrinters printers;
    EarlyPrinters early(printers);
    early.setDefault("office");
    EXPECT_TRUE(early.isCurrentDefault("default 1"));
    EXPECT_EQ(printers.setDefaultCalls, std::vector<std::string>{"office"});
    EXPECT_EQ(printers.installedCalls, 1) << "the early questions were not finished first";
    EXPECT_FALSE(printers.otherQuestionAlongside);
}

TEST(EarlyPrintersTest, ALaterQuestionWaitsForBothEarlyOnes)
{
    ChangingPrinters printers;
    EarlyPrinters early(printers);
    EXPECT_EQ(early.installed(), std::vector<std::string>{"printer 1"});
    // The default is still being read early; asking it a second time must not overlap.
    EXPECT_EQ(early.defaultPrinter(), "default 1");
    EXPECT_TRUE(early.isCurrentDefault("default 1"));
    EXPECT_FALSE(printers.otherQuestionAlongside);
}

}  // namespace
}  // namespace pv::testing
