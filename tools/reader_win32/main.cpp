// Stand-in for the PDF reader on Windows. Called as
//     AcroRd32.exe /p /h FILE
// it sends FILE unchanged (data type RAW) to the current default printer through the
// spooler and exits 0 once the spooler has accepted the job. Any other outcome ends with one
// line on stderr and a non-zero exit status.

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kPrintError = 1;

// The system's text for `error`, on one line.
std::wstring ErrorText(DWORD error)
{
    wchar_t* buffer = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = buffer ? buffer : L"";
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text + L" (error " + std::to_wstring(error) + L")";
}

int Fail(const std::wstring& message)
{
    std::wstring line = message;
    for (wchar_t& c : line) {
        if (c < 0x20 || c == 0x7f)
            c = L'?';
    }
    std::fprintf(stderr, "AcroRd32.exe: %s\n", pv::win32::Utf8(line).c_str());
    return kPrintError;
}

// The job title: the file's base name.
std::wstring JobTitle(const std::wstring& path)
{
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::wstring DefaultPrinter()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    std::wstring name(size, L'\0');
    if (size == 0 || !GetDefaultPrinterW(name.data(), &size))
        return {};
    name.resize(size - 1);
    return name;
}

// Owns a file or printer handle for the length of the print.
template <BOOL(WINAPI* Close)(HANDLE)>
struct Handle {
    HANDLE value = nullptr;
    ~Handle()
    {
        if (value && value != INVALID_HANDLE_VALUE)
            Close(value);
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4 || std::wstring(argv[1]) != L"/p" || std::wstring(argv[2]) != L"/h") {
        std::fputs("usage: AcroRd32.exe /p /h FILE\n", stderr);
        return kUsageError;
    }
    const std::wstring path = argv[3];

    Handle<CloseHandle> file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.value == INVALID_HANDLE_VALUE)
        return Fail(L"cannot read \"" + path + L"\": " + ErrorText(GetLastError()));
    if (GetFileType(file.value) != FILE_TYPE_DISK)
        return Fail(L"cannot read \"" + path + L"\": not a regular file");

    const std::wstring printer = DefaultPrinter();
    if (printer.empty())
        return Fail(L"no default printer: " + ErrorText(GetLastError()));
    Handle<ClosePrinter> spooler;
    if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &spooler.value, nullptr))
        return Fail(L"cannot open printer \"" + printer + L"\": " + ErrorText(GetLastError()));

    std::wstring title = JobTitle(path);
    wchar_t dataType[] = L"RAW";
    DOC_INFO_1W document{title.data(), nullptr, dataType};
    if (StartDocPrinterW(spooler.value, 1, reinterpret_cast<BYTE*>(&document)) == 0)
        return Fail(L"printer \"" + printer + L"\" refused \"" + path + L"\": " + ErrorText(GetLastError()));
    std::vector<char> chunk(1 << 16);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.value, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
            const DWORD error = GetLastError();
            AbortPrinter(spooler.value);
            return Fail(L"cannot read \"" + path + L"\": " + ErrorText(error));
        }
        if (read == 0)
            break;
        DWORD written = 0;
        if (!WritePrinter(spooler.value, chunk.data(), read, &written) || written != read) {
            const DWORD error = GetLastError();
            AbortPrinter(spooler.value);
            return Fail(L"printer \"" + printer + L"\" took only part of \"" + path + L"\": " + ErrorText(error));
        }
    }
    if (!EndDocPrinter(spooler.value))
        return Fail(L"printer \"" + printer + L"\" did not accept \"" + path + L"\": " + ErrorText(GetLastError()));
    return 0;
}
