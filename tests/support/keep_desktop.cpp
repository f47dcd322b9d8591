// Holds Wine's desktop open for a test session: scripts/lib/wine.sh starts it, and it ends
// with the session's wineserver. It says "ready" on its output once the desktop is there.
//
// Without a program on it, Wine closes the desktop a moment after each test program's last
// window has gone. The next program that opens a window starts the desktop again, which takes
// seconds, and the new desktop process holds that program's output open for a while after the
// program has ended, which CTest waits for.
#include <windows.h>

#include <cstdio>

int wmain()
{
    GetDesktopWindow();
    std::puts("ready");
    std::fflush(stdout);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    }
    return 0;
}
