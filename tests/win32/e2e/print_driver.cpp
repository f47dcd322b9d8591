// print_driver PROGRAM PRINTER DEFAULT FILE...: drives the real program as a person would.
// Starts PROGRAM, adds each FILE through the open-file dialog ("Add PDF File(s)", the name
// typed, OK), chooses PRINTER in the printer box, clicks "Start Printing", answers "Done."
// with OK, closes the window, and checks that the program ended with 0 and that DEFAULT is the
// default printer again. Exits 0 when all holds; otherwise 1, with what did not on stderr.

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "platform/failure.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_printers.h"

namespace {

// The program this driver started, ended by its handle when the drive fails.
HANDLE startedProgram = nullptr;

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "print_driver: %s\n", what.c_str());
    if (startedProgram)
        TerminateProcess(startedProgram, 1);
    std::exit(1);
}

// Waits up to `seconds` for `found` to give a window.
HWND WaitFor(const std::function<HWND()>& found, int seconds, const char* what)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < until) {
        if (HWND window = found())
            return window;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    Fail(std::string("waited in vain for ") + what);
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64]{};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[256]{};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

// A visible top-level window of process `id` of class `windowClass` for which `accept` holds.
HWND TopWindow(DWORD id, const wchar_t* windowClass, const std::function<bool(HWND)>& accept)
{
    struct Search {
        DWORD id;
        const wchar_t* windowClass;
        const std::function<bool(HWND)>* accept;
        HWND found;
    } search{id, windowClass, &accept, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s.id && IsWindowVisible(window) && ClassOf(window) == s.windowClass && (*s.accept)(window)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The first visible descendant of `parent` of class `windowClass`.
HWND Descendant(HWND parent, const wchar_t* windowClass)
{
    struct Search {
        const wchar_t* windowClass;
        HWND found;
    } search{windowClass, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (IsWindowVisible(window) && ClassOf(window) == s.windowClass) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The default printer as the program's own printers service reads it; empty when it cannot.
std::wstring DefaultPrinter()
{
    try {
        return pv::win32::Wide(pv::Win32Printers().defaultPrinter());
    } catch (const pv::Failure&) {
        return {};
    }
}

void Press(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 5)
        Fail("usage: print_driver PROGRAM PRINTER DEFAULT FILE...");
    std::wstring program = argv[1];
    const std::wstring printer = argv[2];
    const std::wstring expectedDefault = argv[3];
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));

    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &started))
        Fail("the program did not start");
    startedProgram = started.hProcess;
    const DWORD id = started.dwProcessId;
    const auto any = [](HWND) { return true; };
    HWND window = WaitFor([&] { return TopWindow(id, L"PressvaleForm1", any); }, 30, "the main window");
    HWND list = WaitFor([&] { return FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr); }, 5, "the list");

    // Each file through the open-file dialog, its full name typed into the name field.
    for (int i = 4; i < argc; ++i) {
        const LRESULT before = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
        PostMessageW(FindWindowExW(window, nullptr, L"Button", L"Add PDF File(s)"), BM_CLICK, 0, 0);
        HWND dialog = WaitFor(
            [&] { return TopWindow(id, L"#32770", [](HWND d) { return Descendant(d, L"Edit") != nullptr; }); }, 20,
            "the open-file dialog");
        SendMessageW(Descendant(dialog, L"Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[i]));
        Press(dialog, IDOK);
        WaitFor([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == before + 1 ? list : nullptr; }, 20,
                "the file in the list");
    }

    // The printer chosen in the box, as a selection by the user announces itself.
    HWND box = FindWindowExW(window, nullptr, WC_COMBOBOXW, nullptr);
    const LRESULT index = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(printer.c_str()));
    if (index == CB_ERR)
        Fail("the printer is not in the printer box");
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));

    PostMessageW(FindWindowExW(window, nullptr, L"Button", L"Start Printing"), BM_CLICK, 0, 0);
    // Any message box ends the run's wait; only "Done." is the one expected.
    HWND notice = WaitFor(
        [&] { return TopWindow(id, L"#32770", [](HWND d) { return Descendant(d, L"Edit") == nullptr; }); }, 120,
        "a message box after the run");
    std::wstring said;
    for (HWND text = FindWindowExW(notice, nullptr, L"Static", nullptr); text;
         text = FindWindowExW(notice, text, L"Static", nullptr))
        said += TextOf(text);
    if (said.find(L"Done.") == std::wstring::npos)
        Fail("the run ended with a message other than \"Done.\"");
    Press(notice, IDOK);
    WaitFor([&] { return IsWindow(notice) ? nullptr : window; }, 10, "the message box to close");

    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.hProcess, 20000) != WAIT_OBJECT_0)
        Fail("the program did not end when its window was closed");
    DWORD code = 1;
    GetExitCodeProcess(started.hProcess, &code);
    startedProgram = nullptr;
    if (code != 0)
        Fail("the program ended with a code other than 0");
    if (DefaultPrinter() != expectedDefault)
        Fail("the default printer is not back");
    std::printf("print_driver: %d files printed on the chosen printer, default printer back\n", argc - 4);
    return 0;
}
