#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include "contract/processes_contract.h"
#include "platform/portable/command_line.h"
#include "platform/posix/posix_processes.h"

namespace pv::testing {
namespace {

namespace fs = std::filesystem;

// Each command waits for a file of its own to appear (for twenty seconds at most, so that a
// failed test leaves nothing running for long), then exits with its code.
class PosixProcessesWorld {
public:
    PosixProcessesWorld()
    {
        std::string pattern = (fs::temp_directory_path() / "pv-contract-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            folder_ = pattern;
    }
    ~PosixProcessesWorld()
    {
        while (!pending_.empty())
            release();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    Processes& processes() { return processes_; }

    std::string exitingOnRelease(int code)
    {
        pending_.push_back(folder_ / ("release-" + std::to_string(++count_)));
        const std::string script = "i=0; while [ ! -e \"$0\" ] && [ $i -lt 2000 ]; do sleep 0.01; i=$((i+1)); done; "
                                   "exit " +
                                   std::to_string(code);
        return QuoteArgument("/bin/sh") + " -c " + QuoteArgument(script) + " " +
               QuoteArgument(pending_.back().string());
    }
    void release()
    {
        std::ofstream(pending_.front()).put('\n');
        pending_.erase(pending_.begin());
    }
    // Waits without collecting the child (WNOWAIT), so that its status stays for processes().
    void awaitEnd(std::int64_t processId)
    {
        siginfo_t ended{};
        while (waitid(P_PID, static_cast<id_t>(processId), &ended, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
        }
    }
    std::string missingProgram() { return QuoteArgument((folder_ / "no-such-program").string()) + " x"; }

private:
    fs::path folder_;
    std::vector<fs::path> pending_;
    int count_ = 0;
    PosixProcesses processes_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Posix, ProcessesContract, PosixProcessesWorld);

}  // namespace
}  // namespace pv::testing
