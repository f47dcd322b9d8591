#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "platform/early_printers.h"
#include "platform/failure.h"

namespace pv::testing {
namespace {

// Printers whose answers change with every question, and which note a question put while
// another is still being answered.
class ChangingPrinters final : public Printers {
public:
    std::vector<std::string> installed() override
    {
        const Busy busy(*this);
        // Long enough that a question put alongside would overlap it.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return {"printer " + std::to_string(++installedCalls)};
    }
    std::string defaultPrinter() override
    {
        const Busy busy(*this);
        ++defaultCalls;
        if (defaultFailure)
            throw *defaultFailure;
        return "default " + std::to_string(defaultCalls);
    }
    bool isCurrentDefault(const std::string& name) override
    {
        const Busy busy(*this);
        return name == "default " + std::to_string(defaultCalls);
    }
    void setDefault(const std::string& name) override
    {
        const Busy busy(*this);
        setDefaultCalls.push_back(name);
    }

    std::atomic<int> installedCalls = 0;
    std::atomic<int> defaultCalls = 0;
    std::optional<Failure> defaultFailure;
    std::vector<std::string> setDefaultCalls;
    std::atomic<bool> overlapped = false;

private:
    struct Busy {
        explicit Busy(ChangingPrinters& printers) : printers_(printers)
        {
            if (printers_.busy_.exchange(true))
                printers_.overlapped = true;
        }
        ~Busy() { printers_.busy_ = false; }
        ChangingPrinters& printers_;
    };
    std::atomic<bool> busy_ = false;
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
    EXPECT_FALSE(printers.overlapped);
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
    EXPECT_FALSE(printers.overlapped);
}

}  // namespace
}  // namespace pv::testing
