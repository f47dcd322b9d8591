// window_probe PROGRAM SCREENSHOT [WIDTH HEIGHT]: starts PROGRAM as a person would (no
// arguments, its own folder as the working folder), waits for its window, checks the caption
// "Pressvale", a client area of WIDTH by HEIGHT pixels (536 by 368, as at 96 dots per inch,
// unless given; within 2) with the file list scaled alike, and a surface that is not white
// (without its skin, x\o.cjs beside the program, the window is white), checks that it
// answers, saves the window as a bitmap in SCREENSHOT, closes it and checks that the program
// ends by itself with exit code 0.
// Exits 0 when all holds; otherwise 1, with what did not on the error output.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "shown_window.h"

namespace {

int Fail(const char* what)
{
    std::fprintf(stderr, "window_probe: %s\n", what);
    return 1;
}

// Whether `window` or one of its controls has something left to paint.
bool PaintPending(HWND window)
{
    bool pending = GetUpdateRect(window, nullptr, FALSE);
    EnumChildWindows(
        window,
        [](HWND control, LPARAM data) -> BOOL {
            *reinterpret_cast<bool*>(data) |= GetUpdateRect(control, nullptr, FALSE) != FALSE;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&pending));
    return pending;
}

// The window's client area as a 24-bit bottom-up bitmap file.
bool SaveScreenshot(HWND window, const std::wstring& path)
{
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
    GetDIBits(memory, picture, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(window, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3 && argc != 5)
        return Fail("usage: window_probe PROGRAM SCREENSHOT [WIDTH HEIGHT]");
    // Sizes of another program's window in its own pixels: a probe unaware of the scale is
    // told them as at 96 dots per inch, as Windows (and Wine 10) tell such a program.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const long width = argc == 5 ? std::wcstol(argv[3], nullptr, 10) : 536;
    const long height = argc == 5 ? std::wcstol(argv[4], nullptr, 10) : 368;
    std::wstring program = argv[1];
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &started))
        return Fail("the program did not start");
    CloseHandle(started.hThread);

    HWND window = nullptr;
    for (int tries = 0; tries < 300 && !window; ++tries) {
        if (WaitForSingleObject(started.hProcess, 100) == WAIT_OBJECT_0)
            return Fail("the program ended before it showed its window");
        window = ShownWindow(started.dwProcessId, L"PressvaleForm1");
    }
    if (!window) {
        TerminateProcess(started.hProcess, 1);
        return Fail("no window within 30 seconds");
    }
    // The first paint: the window and its controls have nothing left to paint.
    for (int tries = 0; tries < 200 && PaintPending(window); ++tries)
        Sleep(50);
    if (PaintPending(window)) {
        TerminateProcess(started.hProcess, 1);
        return Fail("the window was not painted within 10 seconds");
    }

    wchar_t caption[64]{};
    GetWindowTextW(window, caption, 64);
    RECT client{};
    GetClientRect(window, &client);
    // The file list, the first control, is 7800 of the window's 8040 twips wide.
    RECT list{};
    GetWindowRect(GetWindow(window, GW_CHILD), &list);
    const long listWidth = list.right - list.left;
    HDC surface = GetDC(window);
    const COLORREF corner = GetPixel(surface, 2, 2);
    ReleaseDC(window, surface);
    DWORD_PTR answer = 0;
    const bool answers = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) != 0;
    const bool saved = SaveScreenshot(window, argv[2]);
    PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(started.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(started.hProcess, 1);
    DWORD code = 1;
    GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hProcess);

    int failures = 0;
    if (std::wstring(caption) != L"Pressvale")
        failures += Fail("the caption is not \"Pressvale\"");
    if (std::labs(client.right - width) > 2 || std::labs(client.bottom - height) > 2) {
        std::fprintf(stderr, "window_probe: the client area is %ld by %ld\n", client.right, client.bottom);
        ++failures;
    }
    if (std::labs(listWidth - width * 7800 / 8040) > 2) {
        std::fprintf(stderr, "window_probe: the file list is %ld pixels wide\n", listWidth);
        ++failures;
    }
    if (corner == RGB(255, 255, 255))
        failures += Fail("the window is white: the program did not find its skin");
    if (!answers)
        failures += Fail("the window does not answer");
    if (!saved)
        failures += Fail("the screenshot could not be saved");
    if (!ended)
        failures += Fail("the program did not end when its window was closed");
    else if (code != 0)
        failures += Fail("the program ended with a code other than 0");
    if (failures == 0)
        std::printf("window_probe: \"Pressvale\", %ld by %ld, answered, closed, exit code 0\n", client.right,
                    client.bottom);
    return failures == 0 ? 0 : 1;
}
