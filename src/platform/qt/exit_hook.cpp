#include "platform/qt/exit_hook.h"

#include <cstdlib>
#include <utility>

namespace pv {
namespace {

std::function<void()>* hookedAction = nullptr;

void RunHookedAction()
{
    if (std::function<void()>* action = std::exchange(hookedAction, nullptr))
        (*action)();
}

}  // namespace

ExitHook::ExitHook(std::function<void()> action) : action_(std::move(action))
{
    static const bool registered = std::atexit(RunHookedAction) == 0;
    if (registered)
        hookedAction = &action_;
}

ExitHook::~ExitHook()
{
    hookedAction = nullptr;
}

}  // namespace pv
