#include "platform/portable/early_printers.h"

#include <exception>
#include <system_error>
#include <utility>

namespace pv {
namespace {

template <class T, class Question>
void Answer(std::promise<T>& answer, Question&& question)
{
    try {
        answer.set_value(question());
    } catch (...) {
        answer.set_exception(std::current_exception());
    }
}

}  // namespace

EarlyPrinters::EarlyPrinters(Printers& printers) : printers_(printers)
{
    std::promise<std::string> defaultPrinter;
    std::promise<std::vector<std::string>> installed;
    defaultPrinter_ = defaultPrinter.get_future();
    installed_ = installed.get_future();
    // A question whose thread cannot be started is simply asked when it comes.
    try {
        askingDefault_ = std::thread([this, answer = std::move(defaultPrinter)]() mutable {
            Answer(answer, [this] { return printers_.defaultPrinter(); });
        });
    } catch (const std::system_error&) {
        defaultPrinter_ = {};
    }
    try {
        askingInstalled_ = std::thread([this, answer = std::move(installed)]() mutable {
            Answer(answer, [this] { return printers_.installed(); });
        });
    } catch (const std::system_error&) {
        installed_ = {};
    }
}

EarlyPrinters::~EarlyPrinters()
{
    finishAsking();
}

void EarlyPrinters::finishAsking()
{
    for (std::thread* asking : {&askingDefault_, &askingInstalled_}) {
        if (asking->joinable())
            asking->join();
    }
}

void EarlyPrinters::dropEarlyAnswers()
{
    finishAsking();
    defaultPrinter_ = {};
    installed_ = {};
}

std::vector<std::string> EarlyPrinters::installed()
{
    if (installed_.valid()) {
        std::future<std::vector<std::string>> early = std::move(installed_);
        return early.get();
    }
    finishAsking();
    return printers_.installed();
}

std::string EarlyPrinters::defaultPrinter()
{
    if (defaultPrinter_.valid()) {
        std::future<std::string> early = std::move(defaultPrinter_);
        return early.get();
    }
    finishAsking();
    return printers_.defaultPrinter();
}

bool EarlyPrinters::isCurrentDefault(const std::string& name)
{
    finishAsking();
    return printers_.isCurrentDefault(name);
}

void EarlyPrinters::setDefault(const std::string& name)
{
    finishAsking();
    printers_.setDefault(name);
}

}  // namespace pv
