#include "platform/qt/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

#include <QSocketNotifier>

namespace pv {
namespace {

// The pipe's write end, for the signal handler.
int noteWriteEnd = -1;

void NoteSignal(int)
{
    const int savedErrno = errno;
    const char note = 1;
    // A full pipe already holds a note; nothing is lost by a failed write.
    if (write(noteWriteEnd, &note, 1) < 0) {
    }
    errno = savedErrno;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal))
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::system_error(errno, std::generic_category(), "Cannot make the pipe for termination signals");
    readEnd_ = ends[0];
    noteWriteEnd = ends[1];
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { handle(); });

    struct sigaction noting {};
    noting.sa_handler = NoteSignal;
    sigemptyset(&noting.sa_mask);
    noting.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction before {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN &&
            sigaction(signal, &noting, nullptr) == 0)
            replaced_.emplace_back(signal, before);
    }
}

TerminationSignals::~TerminationSignals()
{
    restoreDispositions();
    notifier_.reset();
    close(readEnd_);
    close(std::exchange(noteWriteEnd, -1));
}

void TerminationSignals::handle()
{
    char notes[64];
    while (read(readEnd_, notes, sizeof notes) > 0) {
    }
    notifier_->setEnabled(false);
    restoreDispositions();
    onSignal_();
}

void TerminationSignals::restoreDispositions()
{
    for (const auto& [signal, before] : replaced_)
        sigaction(signal, &before, nullptr);
    replaced_.clear();
}

}  // namespace pv
