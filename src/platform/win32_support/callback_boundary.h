#pragma once

#include <exception>
#include <utility>

namespace pv::win32 {

// Windows calls the program back from its own frames (window and subclass procedures, hooks,
// COM methods), and an exception must not unwind through them. Each callback whose body can
// throw runs it through AtCallbackBoundary: an exception that reaches it is kept, and the
// callback gives the system the answer `unhandled()` gives, as if the program had not handled
// the call. The message loop that dispatched the message raises the kept exception again
// once DispatchMessage has returned (RaiseKeptException), in the program's own frames, where
// it is handled as what it is: a failure by the guard of the procedure that runs the loop, or
// passed over by the program's own loop when no procedure runs; the end of the event loop by
// the procedure that waits; anything else by the program's end. Of several before the loop
// turns, the first is kept.
void KeepException(std::exception_ptr exception) noexcept;
void RaiseKeptException();

template <typename Body, typename Unhandled>
auto AtCallbackBoundary(Body&& body, Unhandled&& unhandled) noexcept -> decltype(body())
{
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        KeepException(std::current_exception());
    }
    return std::forward<Unhandled>(unhandled)();
}

}  // namespace pv::win32
