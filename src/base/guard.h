#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "base/error_reports.h"
#include "failure/failure.h"

namespace pv {

// Runs the numbered steps of a guarded procedure. A step that fails is reported with the
// procedure's identifier and the step's line number, and the procedure goes on with its next
// step: a value the step was to produce keeps what it held, and a failing test counts as
// passed. A failure handler may take a failure over instead and end the procedure; every
// later step is then passed over.
class Guard {
public:
    Guard(std::string procedureId, ErrorReports& reports) : procedureId_(std::move(procedureId)), reports_(reports) {}

    // Returns true when the failure was handled and the procedure is to end.
    using FailureHandler = std::function<bool(const Failure&)>;
    void setFailureHandler(FailureHandler handler) { handler_ = std::move(handler); }

    bool ended() const { return ended_; }

    template <class Step>
    void step(int line, Step&& action)
    {
        if (ended_)
            return;
        try {
            action();
        } catch (const Failure& failure) {
            report(line, failure);
        } catch (const std::exception& error) {
            report(line, Failure(error.what(), failure_code::kInternalError));
        }
    }

    // The test of a condition or a loop: true when it holds or when evaluating it failed.
    template <class Test>
    bool test(int line, Test&& condition)
    {
        bool result = true;
        step(line, [&] { result = condition(); });
        return result && !ended_;
    }

private:
    void report(int line, const Failure& failure)
    {
        if (handler_ && handler_(failure)) {
            ended_ = true;
            return;
        }
        reports_.showErrorReport(procedureId_, line, failure);
    }

    std::string procedureId_;
    ErrorReports& reports_;
    FailureHandler handler_;
    bool ended_ = false;
};

}  // namespace pv
