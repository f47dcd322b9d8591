#include "fakes/fake_processes.h"
#include "support/contract/processes_contract.h"

namespace pv::testing {
namespace {

// Scripts the fake as the contract's commands would behave.
class FakeProcessesWorld {
public:
    Processes& processes() { return fake_; }

    std::string exitingOnRelease(int code)
    {
        fake_.startFailure.reset();
        fake_.statuses = {kStillActive};
        code_ = code;
        return "program " + std::to_string(code);
    }
    void release() { fake_.statuses = {code_}; }
    void awaitEnd(std::int64_t) {}
    std::string missingProgram()
    {
        fake_.startFailure = Failure("No such file or directory", ENOENT);
        return "missing-program";
    }

private:
    FakeProcesses fake_;
    int code_ = 0;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, ProcessesContract, FakeProcessesWorld);

}  // namespace
}  // namespace pv::testing
