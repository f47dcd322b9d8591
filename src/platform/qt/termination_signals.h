#pragma once

#include <csignal>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace pv {

// While it lives, SIGTERM (log-out, shutdown), SIGINT (Ctrl+C in a terminal) and SIGHUP (the
// terminal closed) no longer end the process where it stands: the signal handler only writes
// a byte into a pipe, and `onSignal` runs from the event loop, where the program closes its
// window as the close box would. A signal the program was started to ignore stays ignored. A
// second signal, once the first is being handled, ends the process as it would without this.
// One at a time.
class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void handle();
    void restoreDispositions();

    std::function<void()> onSignal_;
    int readEnd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    // The signals now handled here, with what they did before.
    std::vector<std::pair<int, struct sigaction>> replaced_;
};

}  // namespace pv
