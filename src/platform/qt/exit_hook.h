#pragma once

#include <functional>

namespace pv {

// While it lives, `action` runs should the process be ended by exit() from somewhere inside
// it rather than by returning from main. Qt's X11 platform plugin does that when the
// connection to the display breaks: it prints "The X11 connection broke" and calls exit(1)
// from inside whichever event loop is running, so neither the window's close nor the waits'
// unwinding happens. One at a time.
class ExitHook {
public:
    explicit ExitHook(std::function<void()> action);
    ~ExitHook();
    ExitHook(const ExitHook&) = delete;
    ExitHook& operator=(const ExitHook&) = delete;

private:
    std::function<void()> action_;
};

}  // namespace pv
