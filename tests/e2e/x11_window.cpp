// Finds a top-level window by its title on an X display, waits for it to be shown, and asks
// it to close the way a window manager would (WM_DELETE_WINDOW).
//
//   x11_window wait TITLE SECONDS   prints the milliseconds until the window was viewable
//   x11_window close TITLE          sends the close request
//   x11_window close-each TITLE UNTIL SECONDS
//                                   closes every window TITLE, each once, as it is shown, until
//                                   a window UNTIL is viewable; prints how many it closed
//
// Exit status 0 on success, 1 when the window did not appear, 2 on a usage or display error.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <thread>

namespace {

// Windows come and go while the tree is walked (a closed message box is destroyed between
// listing it and reading its name); a request on a vanished window fails that request only,
// instead of ending the probe as Xlib's default handler would.
int IgnoreVanishedWindows(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable)
        return 0;
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "x11_window: X error: %s (request %d)\n", text, error->request_code);
    return 0;
}

std::optional<Window> FindViewable(Display* display, Window parent, const std::string& title)
{
    Window root = 0;
    Window ignored = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &ignored, &children, &count))
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned i = 0; i < count && !found; ++i) {
        XTextProperty name{};
        if (XGetWMName(display, children[i], &name) && name.value) {
            XWindowAttributes attributes{};
            if (title == reinterpret_cast<const char*>(name.value) &&
                XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
                found = children[i];
            XFree(name.value);
        }
        if (!found)
            found = FindViewable(display, children[i], title);
    }
    if (children)
        XFree(children);
    return found;
}

int Wait(Display* display, const std::string& title, double seconds)
{
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (FindViewable(display, DefaultRootWindow(display), title)) {
            const auto elapsed = std::chrono::steady_clock::now() - start;
            std::printf("%lld\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::fprintf(stderr, "x11_window: no viewable window \"%s\" within %g s\n", title.c_str(), seconds);
    return 1;
}

void SendCloseRequest(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

int Close(Display* display, const std::string& title)
{
    const std::optional<Window> window = FindViewable(display, DefaultRootWindow(display), title);
    if (!window) {
        std::fprintf(stderr, "x11_window: no window \"%s\"\n", title.c_str());
        return 1;
    }
    SendCloseRequest(display, *window);
    return 0;
}

// Modal boxes come one after the other under one title: a box already asked to close may
// still be viewable for a moment, so each window is asked once and counted once.
int CloseEachUntil(Display* display, const std::string& title, const std::string& until, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    std::set<Window> closed;
    while (std::chrono::steady_clock::now() < deadline) {
        if (FindViewable(display, DefaultRootWindow(display), until)) {
            std::printf("%zu\n", closed.size());
            return 0;
        }
        const std::optional<Window> window = FindViewable(display, DefaultRootWindow(display), title);
        if (window && closed.insert(*window).second)
            SendCloseRequest(display, *window);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::fprintf(stderr, "x11_window: no viewable window \"%s\" within %g s (%zu \"%s\" closed)\n", until.c_str(),
                 seconds, closed.size(), title.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || (std::strcmp(argv[1], "wait") == 0 && argc != 4) ||
        (std::strcmp(argv[1], "close-each") == 0 && argc != 5)) {
        std::fprintf(stderr, "usage: x11_window wait TITLE SECONDS | close TITLE | close-each TITLE UNTIL SECONDS\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11_window: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreVanishedWindows);
    const std::string command = argv[1];
    const int status = command == "wait"         ? Wait(display, argv[2], std::atof(argv[3]))
                       : command == "close"      ? Close(display, argv[2])
                       : command == "close-each" ? CloseEachUntil(display, argv[2], argv[3], std::atof(argv[4]))
                                                 : 2;
    XCloseDisplay(display);
    return status;
}
