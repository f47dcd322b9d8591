#include "platform/early_printers.h"

#include <exception>
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
    // The order in which the printer box is filled asks them.
    asking_ = std::thread([this, defaultPrinter = std::move(defaultPrinter), installed = std::move(installed)]() mutable {
        Answer(defaultPrinter, [this] { return printers_.defaultPrinter(); });
        Answer(installed, [this] { return printers_.installed(); });
    });
}

EarlyPrinters::~EarlyPrinters()
{
    finishAsking();
}

void EarlyPrinters::finishAsking()
{
    if (asking_.joinable())
        asking_.join();
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
