// print_driver WAY PROGRAM PRINTER DEFAULT FILE...: drives the real program as a person would.
// Starts PROGRAM, adds each FILE through the open-file dialog ("Add PDF File(s)", the name
// typed, OK), chooses PRINTER in the printer box, clicks "Start Printing", and ends the run in
// one WAY: "done" answers "Done." with OK, then closes the window; "close" closes the window
// once the run has made PRINTER the default; "session-end" then sends WM_QUERYENDSESSION and
// WM_ENDSESSION and ends the process, as Windows does; "terminate" calls TerminateProcess, and
// the printer guard must put the default back within two seconds; "tree-kill" ends the program
// and every process descended from it, as `taskkill /T /F` does, and the same must hold;
// "both" ends the program and its guard together, and PRINTER must stay the default.
// print_driver next-start PROGRAM DEFAULT: starts PROGRAM, which must have DEFAULT the default
// printer by the time its window shows, and closes it. print_driver log-in DEFAULT: runs the
// user's RunOnce value that the run left, as Windows does at log-in (the value deleted, then
// its command started), and DEFAULT must be the default once the command has ended.
// Otherwise checks that the program leaves by its quit message (exit code 0) without using
// processor time on the way out, and that DEFAULT is the default printer again: once it has
// ended (this driver, living throughout, still reads the default it left), or when
// WM_ENDSESSION has returned, while it lives. Exits 0 when all holds; otherwise 1, with what did not on stderr.

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "failure/failure.h"
#include "platform/win32/win32_printers.h"
#include "platform/win32_support/process_start.h"
#include "platform/win32_support/wide_text.h"

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

// Waits up to `seconds` for `holds` to hold.
void WaitUntil(const std::function<bool()>& holds, int seconds, const char* what)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < until) {
        if (holds())
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    Fail(std::string("waited in vain for ") + what);
}

// Waits up to `seconds` for `found` to give a window.
HWND WaitFor(const std::function<HWND()>& found, int seconds, const char* what)
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = found()) != nullptr; }, seconds, what);
    return window;
}

// Every running process, from one snapshot.
std::vector<PROCESSENTRY32W> Processes()
{
    std::vector<PROCESSENTRY32W> found;
    const HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(processes, &entry); more; more = Process32NextW(processes, &entry))
        found.push_back(entry);
    CloseHandle(processes);
    return found;
}

// Whether a reader started by process `parent` has got as far as loading its modules.
bool ReaderStarted(DWORD parent)
{
    for (const PROCESSENTRY32W& entry : Processes()) {
        if (entry.th32ParentProcessID != parent ||
            (_wcsicmp(entry.szExeFile, L"AcroRd32.exe") != 0 && _wcsicmp(entry.szExeFile, L"Acrobat.exe") != 0))
            continue;
        const HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, entry.th32ProcessID);
        if (modules != INVALID_HANDLE_VALUE) {
            CloseHandle(modules);
            return true;
        }
    }
    return false;
}

void Terminate(DWORD id)
{
    if (const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
        TerminateProcess(process, 1);
        CloseHandle(process);
    }
}

// Ends every process descended from `root`, as a tree kill finds them by their parents' ids
// (Debian 12's Wine has taskkill ignore /T). Ids are reused: a process started before the one
// that now has its parent's id is no descendant (Wine's own services, started by a program
// long gone, would otherwise be ended with the tree).
void TerminateDescendants(DWORD root)
{
    std::vector<DWORD> tree = {root};
    const std::vector<PROCESSENTRY32W> processes = Processes();
    for (std::size_t known = 0; known != tree.size();) {
        known = tree.size();
        for (const PROCESSENTRY32W& entry : processes) {
            const auto inTree = [&](DWORD id) { return std::find(tree.begin(), tree.end(), id) != tree.end(); };
            if (inTree(entry.th32ParentProcessID) && !inTree(entry.th32ProcessID) &&
                pv::win32::ProcessStart(entry.th32ProcessID) >= pv::win32::ProcessStart(entry.th32ParentProcessID))
                tree.push_back(entry.th32ProcessID);
        }
    }
    for (std::size_t i = 1; i < tree.size(); ++i)
        Terminate(tree[i]);
}

// Ends every printer guard, as a power cut or a session's end ends it.
void TerminateGuards()
{
    for (const PROCESSENTRY32W& entry : Processes()) {
        if (_wcsicmp(entry.szExeFile, L"pressvale-guard.exe") == 0)
            Terminate(entry.th32ProcessID);
    }
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

// The processor time process `id` has used so far, in seconds; nothing once it has gone.
// (Wine's GetProcessTimes gives another process's start and end but not its processor time.)
std::optional<double> ProcessorSeconds(DWORD id)
{
    std::vector<char> buffer(1 << 20);
    ULONG length = 0;
    if (NtQuerySystemInformation(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length) !=
        0)
        Fail("the processes could not be listed");
    for (std::size_t at = 0;;) {
        const auto& process = *reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
        if (reinterpret_cast<ULONG_PTR>(process.UniqueProcessId) == id)
            return static_cast<double>(process.UserTime.QuadPart + process.KernelTime.QuadPart) / 1e7;
        if (process.NextEntryOffset == 0)
            return std::nullopt;
        at += process.NextEntryOffset;
    }
}

// Waits for the program to end by itself, by its quit message (code 0), using no processor
// time on the way; gives the time it used.
double WaitForItsEnd(HANDLE program, DWORD id)
{
    const double before = ProcessorSeconds(id).value_or(0);
    double used = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (WaitForSingleObject(program, 10) == WAIT_TIMEOUT) {
        if (std::chrono::steady_clock::now() > until)
            Fail("the program did not end when its window was closed");
        if (const std::optional<double> now = ProcessorSeconds(id))
            used = *now - before;
    }
    DWORD code = 1;
    GetExitCodeProcess(program, &code);
    startedProgram = nullptr;
    if (code != 0)
        Fail("the program ended with a code other than 0");
    if (used > 0.5)
        Fail("the program used " + std::to_string(used) + " s of processor time on its way out");
    return used;
}

// Starts the command line `command` in `folder`; the drive ends it should it fail.
PROCESS_INFORMATION Start(std::wstring command, const std::wstring& folder = {})
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started))
        Fail("the program did not start");
    startedProgram = started.hProcess;
    return started;
}

PROCESS_INFORMATION StartProgram(const std::wstring& program)
{
    return Start(L"\"" + program + L"\"", program.substr(0, program.find_last_of(L'\\')));
}

// Runs the RunOnce value a run left as Windows runs it at log-in (deleted, then started), and
// waits for its end.
void RunTheRunOnceValue()
{
    constexpr wchar_t kRunOnce[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    wchar_t command[2048]{};
    DWORD size = sizeof command;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunOnce, L"Pressvale default printer", RRF_RT_REG_SZ, nullptr, command,
                     &size) != ERROR_SUCCESS)
        Fail("the run left no RunOnce value");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunOnce, L"Pressvale default printer");
    if (WaitForSingleObject(Start(command).hProcess, 60000) != WAIT_OBJECT_0)
        Fail("the RunOnce command did not end");
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wstring(argv[1]) == L"log-in") {
        RunTheRunOnceValue();
        if (DefaultPrinter() != argv[2])
            Fail("the default printer is not back after the RunOnce command");
        std::printf("print_driver: the RunOnce command put the default printer back\n");
        return 0;
    }
    if (argc == 4 && std::wstring(argv[1]) == L"next-start") {
        const PROCESS_INFORMATION started = StartProgram(argv[2]);
        HWND window =
            WaitFor([&] { return TopWindow(started.dwProcessId, L"PressvaleForm1", [](HWND) { return true; }); }, 30,
                    "the main window");
        if (DefaultPrinter() != argv[3])
            Fail("the default printer is not back as the window shows");
        PostMessageW(window, WM_CLOSE, 0, 0);
        WaitForItsEnd(started.hProcess, started.dwProcessId);
        std::printf("print_driver: the next start put the default printer back before its window showed\n");
        return 0;
    }
    if (argc < 6)
        Fail("usage: print_driver WAY PROGRAM PRINTER DEFAULT FILE...");
    const std::wstring way = argv[1];
    const std::wstring program = argv[2];
    const std::wstring printer = argv[3];
    const std::wstring expectedDefault = argv[4];
    if (way != L"done" && way != L"close" && way != L"session-end" && way != L"terminate" && way != L"tree-kill" &&
        way != L"both")
        Fail("the way to end the run is done, close, session-end, terminate, tree-kill or both");

    const PROCESS_INFORMATION started = StartProgram(program);
    const DWORD id = started.dwProcessId;
    const auto any = [](HWND) { return true; };
    HWND window = WaitFor([&] { return TopWindow(id, L"PressvaleForm1", any); }, 30, "the main window");
    HWND list = WaitFor([&] { return FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr); }, 5, "the list");

    // Each file through the open-file dialog, its full name typed into the name field.
    for (int i = 5; i < argc; ++i) {
        const LRESULT before = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
        PostMessageW(FindWindowExW(window, nullptr, L"Button", L"Add PDF File(s)"), BM_CLICK, 0, 0);
        HWND dialog =
            WaitFor([&] { return TopWindow(id, L"#32770", [](HWND d) { return Descendant(d, L"Edit") != nullptr; }); },
                    20, "the open-file dialog");
        SendMessageW(Descendant(dialog, L"Edit"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[i]));
        Press(dialog, IDOK);
        WaitFor([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == before + 1 ? list : nullptr; }, 20,
                "the file in the list");
    }

    // The printer chosen in the box, as a selection by the user announces itself.
    HWND box = FindWindowExW(window, nullptr, WC_COMBOBOXW, nullptr);
    const LRESULT index =
        SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(printer.c_str()));
    if (index == CB_ERR)
        Fail("the printer is not in the printer box");
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));

    PostMessageW(FindWindowExW(window, nullptr, L"Button", L"Start Printing"), BM_CLICK, 0, 0);
    if (way == L"done") {
        // Any message box ends the run's wait; only "Done." is the one expected.
        HWND notice =
            WaitFor([&] { return TopWindow(id, L"#32770", [](HWND d) { return Descendant(d, L"Edit") == nullptr; }); },
                    120, "a message box after the run");
        std::wstring said;
        for (HWND text = FindWindowExW(notice, nullptr, L"Static", nullptr); text;
             text = FindWindowExW(notice, text, L"Static", nullptr))
            said += TextOf(text);
        if (said.find(L"Done.") == std::wstring::npos)
            Fail("the run ended with a message other than \"Done.\"");
        Press(notice, IDOK);
        WaitFor([&] { return IsWindow(notice) ? nullptr : window; }, 10, "the message box to close");
    } else {
        WaitUntil([&] { return DefaultPrinter() == printer; }, 60, "the run to make the printer the default");
    }

    if (way == L"terminate" || way == L"tree-kill" || way == L"both") {
        // Wine leaves a process hung in its start-up when its creator ends inside CreateProcess
        // (Windows makes a process whole or not at all): the program is ended while its first
        // reader runs, not while it starts one.
        WaitUntil([&] { return ReaderStarted(id); }, 60, "the first reader to start");
        if (way == L"tree-kill")
            TerminateDescendants(id);
        if (way == L"both")
            TerminateGuards();
        TerminateProcess(started.hProcess, 1);
        WaitForSingleObject(started.hProcess, INFINITE);
        startedProgram = nullptr;
        if (way == L"both") {
            Sleep(2000);
            if (DefaultPrinter() != printer)
                Fail("the printer stopped being the default with the program and its guard ended");
            std::printf("print_driver: the program and its guard ended mid-run, the printer left the default\n");
            return 0;
        }
        WaitUntil([&] { return DefaultPrinter() == expectedDefault; }, 2, "the guard to put the default printer back");
        std::printf("print_driver: %ls mid-run, the default printer back\n", way.c_str());
        return 0;
    }
    if (way == L"session-end") {
        if (SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != TRUE)
            Fail("the program refused to let the session end");
        SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        const bool back = DefaultPrinter() == expectedDefault;
        if (WaitForSingleObject(started.hProcess, 0) != WAIT_TIMEOUT)
            Fail("the program ended before the default printer was read");
        if (!back)
            Fail("the default printer was not back when WM_ENDSESSION returned");
        TerminateProcess(started.hProcess, 0);
        std::printf("print_driver: the session ended mid-run, the default printer back before the program ended\n");
        return 0;
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    const double used = WaitForItsEnd(started.hProcess, id);
    if (DefaultPrinter() != expectedDefault)
        Fail("the default printer is not back");
    std::printf("print_driver: %ls: closed, ended with 0 after %.2f s of processor time, the default printer back\n",
                way.c_str(), used);
    return 0;
}
