// Linked into every program of the sanitizer build, so that a program or test run on its own
// (from ctest, a debugger or a shell script) is checked exactly as the whole suite is. The
// environment's ASAN_OPTIONS, LSAN_OPTIONS and UBSAN_OPTIONS still override these.

// Stop at the first memory error or leak, and check the order of static initialisation.
extern "C" const char* __asan_default_options()
{
    return "halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:"
           "check_initialization_order=1:strict_init_order=1";
}

extern "C" const char* __ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}

extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}

// Leaks that LeakSanitizer reports inside libraries outside this program, which the program
// can neither free nor fix. A suppression hides every leak whose allocation stack has a frame
// in the named library, so only libraries that never call back into this program are named;
// Qt is not (it runs our event handlers, and a leak of our own objects made in one would be
// hidden with it).
//
// libdbus: buffers of the session-bus connection that Qt's X11 platform plugin opens for its
// desktop services and accessibility. libdbus frees them only in dbus_shutdown(), which no
// application calls, so the real program under a virtual X server leaves them however it ends.
//
// libwayland-client: protocol objects that Qt's Wayland platform plugin leaves undestroyed when
// the program ends natively on a Wayland compositor. The plugin queues the events it reads and
// Qt delivers them later, so no code of this program runs under libwayland's frames.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\nleak:libwayland-client.so\n";
}
